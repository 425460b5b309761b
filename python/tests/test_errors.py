import os
import subprocess
import sys
import textwrap
import zipfile

import numpy as np
import pytest

import dwfplot
from conftest import reference_plot


def package_with_manifest(path, edit):
    """The reference plot with its manifest edited, in an archive Python's zipfile writes."""
    reference_plot("plot.dwf")
    with open("plot.dwf", "rb") as file:
        header = file.read(12)
    with zipfile.ZipFile("plot.dwf") as source, open(path, "wb") as target:
        target.write(header)
        with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as copy:
            for name in source.namelist():
                data = source.read(name)
                copy.writestr(name, edit(data) if name == "manifest.xml" else data)


@pytest.mark.parametrize("content, reason", [
    (None, "PLT_FILE_OPEN_ERROR"),
    (b"", "PLT_FILE_OPEN_ERROR"),
    (b"(DWF V06.00)PK\x05\x06" + bytes(18), "PLT_FILE_NOT_IN_DWF"),
    (lambda m: m.replace(b'"PlotFileVersion" value="1.2"', b'"PlotFileVersion" value="1.0"'), "PLT_OLD_FILE_FORMAT"),
    (lambda m: m.replace(b'"PlotFileVersion" value="1.2"', b'"PlotFileVersion" value="1.3"'), "PLT_NEW_FILE_FORMAT"),
    (lambda m: m.replace(b'name="DwfToolkitVersion"', b'name="Toolkit"'), "PLT_NOT_A_KESTRA_GENERATED_FILE"),
])
def test_a_refused_file_raises_the_readers_reason(content, reason):
    if callable(content):
        package_with_manifest("refused.dwf", content)
    elif content is not None:
        with open("refused.dwf", "wb") as file:
            file.write(content)
    for call in (dwfplot.read, dwfplot.info):
        with pytest.raises(dwfplot.Error) as raised:
            call("refused.dwf")
        assert raised.value.reason == reason and str(raised.value).startswith(reason + ": ")


def outcome(path, longest):
    try:
        return "replayed" if sum(1 for _ in dwfplot.read(path)) <= longest else "longer"
    except dwfplot.Error as error:
        return error.reason


def test_damaged_packages_end_in_an_error_or_a_shorter_replay():
    reference_plot("plot.dwf")
    with open("plot.dwf", "rb") as file:
        good = file.read()
    full = sum(1 for _ in dwfplot.read("plot.dwf"))
    cuts, flips = set(), set()
    for size in range(0, len(good), 97):
        with open("damaged.dwf", "wb") as file:
            file.write(good[:size])
        cuts.add(outcome("damaged.dwf", full))
    # Which bytes a flip hits differs from plot to plot (identifiers), so
    # only the kinds of ending are fixed.
    for at in range(12, len(good), 61):
        with open("damaged.dwf", "wb") as file:
            file.write(good[:at] + bytes([good[at] ^ 0x5A]) + good[at + 1:])
        flips.add(outcome("damaged.dwf", full))
    os.remove("damaged.dwf")
    assert cuts == {"PLT_FILE_OPEN_ERROR"}
    assert "longer" not in flips and all(end == "replayed" or end.startswith("PLT_") for end in flips)
    assert sorted(os.listdir(".")) == ["plot.dwf"], "image files left behind"


def closed_writer():
    plot = dwfplot.Writer("closed.dwf", 10, 10)
    plot.close()
    return plot


def writer_without_page():
    return dwfplot.Writer("nopage.dwf", 10, 10)


def writer_with_page():
    plot = dwfplot.Writer("page.dwf", 10, 10)
    plot.open_page()
    return plot


pixels = np.zeros((2, 3, 3), np.uint8)
out_of_order = [
    (closed_writer, lambda p: p.open_page()),
    (closed_writer, lambda p: p.table("a")),
    (writer_without_page, lambda p: p.close_page()),
    (writer_without_page, lambda p: p.line([(0, 0), (1, 1)])),
    (writer_without_page, lambda p: p.set_pen(1)),
    (writer_without_page, lambda p: p.text(0, 0, "a", 1)),
    (writer_without_page, lambda p: p.symbol(0, 0)),
    (writer_without_page, lambda p: p.image(0, 0, 1, 1, pixels)),
    (writer_with_page, lambda p: p.open_page()),
]


@pytest.mark.parametrize("make, call", out_of_order)
def test_calls_out_of_order_raise_invalid_state(make, call):
    plot = make()
    with pytest.raises(dwfplot.Error) as raised:
        call(plot)
    assert raised.value.reason == "InvalidState"
    plot.abort()
    assert set(os.listdir(".")) <= {"closed.dwf"}


@pytest.mark.parametrize("call, error", [
    (lambda p: p.line("abc"), TypeError),
    (lambda p: p.line([[1, 2, 3]]), ValueError),
    (lambda p: p.line([(1, "x")]), TypeError),
    (lambda p: p.polygons("abc"), TypeError),
    (lambda p: p.polygons([[(1, 2, 3)]]), ValueError),
    (lambda p: p.symbol(0, 0, shape=5), TypeError),
    (lambda p: p.set_pen("1"), TypeError),
    (lambda p: p.text(0, 0, 7, 1), TypeError),
    (lambda p: p.table(None), TypeError),
    (lambda p: p.image(0, 0, 1, 1, [[1]]), TypeError),
    (lambda p: p.image(0, 0, 1, 1, pixels.astype(np.float32)), TypeError),
    (lambda p: p.image(0, 0, 1, 1, np.zeros((2, 3), np.uint8)), ValueError),
    (lambda p: p.image(0, 0, 1, 1, np.zeros((2, 3, 2), np.uint8)), ValueError),
    (lambda p: p.image(0, 0, 1, 1, np.zeros((0, 3, 3), np.uint8)), ValueError),
    (lambda p: p.open_page([("Say \"hi\"", True, True)]), ValueError),
    (lambda p: p.open_page([("Roads", True)]), TypeError),
])
def test_wrong_arguments_raise_and_leave_the_plot_writable(call, error):
    with dwfplot.Writer("plot.dwf", 10, 10) as plot:
        plot.open_page()
        with pytest.raises(error):
            call(plot)
        plot.line([(0, 0), (1, 1)])
    assert [op.kind for op in dwfplot.read("plot.dwf")] == ["page", "pen", "line"]


def test_values_out_of_every_range_are_written_and_read_back():
    huge, nan, inf = 1e300, float("nan"), float("inf")
    with dwfplot.Writer("plot.dwf", huge, -inf, x_scale=nan, y_scale=0, pens=[(-1, 2**31 - 1, 256, nan)]) as plot:
        plot.open_page(["", "not an option", '9 "x'])
        plot.set_pen(-(2**31))
        plot.line([(nan, inf), (-huge, 0), (1e-300, -0.0)])
        plot.polygons([[], [(inf, inf)]], pen=2**31 - 1)
        plot.text(nan, inf, "x" * 5000 + "\n\u0000\U0001F600", huge, angle=nan, font="F" * 300, group='"')
        plot.symbol(inf, nan, scale=huge, angle=-inf, filled=True, name="a b" * 100, shape=[[(nan, 0)] * 30])
        plot.table("\u0000" * 2000)
        plot.image(nan, inf, -huge, 0, np.zeros((1, 1, 4), np.uint8))
        plot.close_page()
    kinds = [op.kind for op in dwfplot.read("plot.dwf")]
    assert kinds[0] == "page" and "line" in kinds and "image" in kinds


def test_an_exception_inside_the_block_removes_the_plot():
    with pytest.raises(KeyError):
        with dwfplot.Writer("plot.dwf", 10, 10) as plot:
            plot.open_page()
            plot.line([(0, 0), (1, 1)])
            raise KeyError("stop")
    assert plot.closed and os.listdir(".") == []


def test_close_closes_an_open_page_and_can_be_repeated():
    plot = dwfplot.Writer("plot.dwf", 10, 10)
    plot.open_page()
    plot.table("kept")
    plot.close()
    plot.close()
    assert [op.kind for op in dwfplot.read("plot.dwf")] == ["page", "table"]


def test_a_plot_that_cannot_be_created_raises_file_open_failed():
    with pytest.raises(dwfplot.Error) as raised:
        dwfplot.Writer("missing/plot.dwf", 10, 10)
    assert raised.value.reason == "FileOpenFailed"


def test_a_full_disk_raises_write_failed_and_removes_the_plot(workdir):
    # A process of its own, with files capped at 32 KiB.
    script = textwrap.dedent("""
        import resource, signal
        import numpy as np
        import dwfplot
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (32768, 32768))
        points = np.random.default_rng(1).random((20000, 2)) * 100
        try:
            with dwfplot.Writer("big.dwf", 100, 100) as plot:
                for page in range(3):
                    plot.open_page()
                    plot.line(points)
                    plot.close_page()
        except dwfplot.Error as error:
            print(error.reason)
    """)
    result = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True, env=os.environ)
    assert (result.returncode, result.stdout, result.stderr) == (0, "WriteFailed\n", "")
    assert os.listdir(workdir) == []


@pytest.mark.parametrize("call, error", [
    (lambda: dwfplot.render("plot.dwf", "out", "gif"), ValueError),
    (lambda: dwfplot.render("plot.dwf", "out", "png", dpi=0), ValueError),
    (lambda: dwfplot.render("missing.dwf", "out"), dwfplot.Error),
    (lambda: dwfplot.render("plot.dwf", "missing/out.pdf", "pdf"), dwfplot.Error),
])
def test_render_refuses_what_it_cannot_draw(call, error):
    reference_plot("plot.dwf")
    with pytest.raises(error):
        call()
    assert os.listdir(".") == ["plot.dwf"]
