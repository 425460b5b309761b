import json
import re
import zipfile
from collections import Counter

import pytest

import dwfplot
from conftest import host, plain, reference_plot, tool


def replayed_by_host(path):
    return [json.loads(line) for line in host("read", path).splitlines()]


def page_streams(path):
    with zipfile.ZipFile(path) as package:
        return [package.read(name) for name in package.namelist() if name.endswith(".w2d")]


def test_python_writes_and_reads_what_the_cpp_host_writes_and_reads():
    reference_plot("python.dwf")
    host("write", "host.dwf")
    from_python = [plain(op) for op in dwfplot.read("python.dwf")]
    assert from_python == replayed_by_host("host.dwf")
    assert from_python == replayed_by_host("python.dwf")
    assert page_streams("python.dwf") == page_streams("host.dwf")
    kinds = Counter(op["kind"] for op in from_python)
    assert kinds == {"page": 2, "pen": 11, "group_options": 4, "line": 2, "polygons": 1, "text": 2, "symbol": 2,
                     "table": 1, "image": 2}


def test_replay_keeps_every_value():
    reference_plot("plot.dwf")
    ops = [op for op in dwfplot.read("plot.dwf") if op.kind not in ("page", "pen")]
    road, diagonal, parcels, label, roads, _, parcel_options, _, valve, box, table, sideways, photo, alpha = ops
    assert road.points.tolist() == [[1, 1], [5.5, 2.25], [9.125, 1]] and road.group == "Roads"
    assert diagonal.points.shape == (2, 2) and diagonal.points.dtype == "float64" and diagonal.group == ""
    assert [c.tolist() for c in parcels.contours] == [[[2, 2], [12, 2], [12, 8], [2, 8]], [[4, 4], [6, 4], [6, 6]]]
    assert (parcels.pen, parcels.group) == (2, "Parcels")
    # A text reads back at its last line, 1.5 heights under the first.
    assert (label.x, label.y, label.angle, label.text) == (3, 17.75, 0, "Grüße aus Zürich\nline two")
    assert label.font == dwfplot.Font("Arial", 1.5, True, False, True) and label.group == "Labels"
    assert (roads.name, roads.first, roads.second) == ("Roads", True, False)
    assert (parcel_options.name, parcel_options.first, parcel_options.second) == ("Parcels", False, True)
    assert (valve.x, valve.y, valve.scale, valve.angle, valve.filled, valve.name, valve.group) == \
        (10, 10, 1.5, 30, True, "Valve", "Pipes")
    assert (box.filled, box.name, box.group) == (False, "Box", "")
    assert table.text == "Part|Qty\nBolt|12"
    assert (sideways.text, sideways.angle, sideways.font.italic, sideways.font.name) == ("sideways", 90, True, "Default")
    assert (photo.x, photo.y, photo.width, photo.height, photo.group, photo.format) == (1, 2, 6, 4, "Photos", "png")
    assert photo.data.startswith(b"\x89PNG\r\n\x1a\n") and alpha.data != photo.data
    assert repr(box) == "Operation(kind='symbol', x=20.0, y=10.0, scale=1.0, angle=0.0, filled=False, name='Box', group='')"


def test_info_gives_the_plot_values():
    reference_plot("plot.dwf")
    assert dwfplot.info("plot.dwf") == dwfplot.PlotInfo(42.0, 29.7, 2.5, 2.5, "Millimeters", "UTF-8", 2)


def test_demo_package_gives_the_counts_the_tool_prints():
    printed = tool("demo", "-o", "demo")
    names = {"pen changes": "pen", "lines": "line", "polygon sets": "polygons", "texts": "text",
             "symbols": "symbol", "tables": "table", "images": "image", "group options": "group_options"}
    expected = []
    for counts in re.findall(r"^page \d+: (.*)$", printed, re.MULTILINE):
        expected.append({names[name]: int(count) for count, name in re.findall(r"(\d+) ([a-z ]+)", counts)})
    pages = []
    for op in dwfplot.read("demo/demo.dwf"):
        if op.kind == "page":
            pages.append({kind: 0 for kind in names.values()})
        else:
            pages[-1][op.kind] += 1
    assert len(expected) == 3 and pages == expected
    assert dwfplot.info("demo/demo.dwf").pages == 3


@pytest.mark.parametrize("format, out, written", [
    ("svg", "pages", ["pages-page-1.svg", "pages-page-2.svg"]),
    ("pdf", "plot.pdf", ["plot.pdf"]),
    ("png", "pages", ["pages-page-1.png", "pages-page-2.png"]),
])
def test_render_draws_every_page(format, out, written):
    reference_plot("plot.dwf")
    assert dwfplot.render("plot.dwf", out, format) == written
    signature = {"svg": b"<?xml", "pdf": b"%PDF-", "png": b"\x89PNG"}[format]
    for name in written:
        with open(name, "rb") as file:
            assert file.read(5).startswith(signature[:4])


def test_render_pages_have_the_plot_size():
    reference_plot("plot.dwf")
    dwfplot.render("plot.dwf", "pages", "png", dpi=50)
    with open("pages-page-1.png", "rb") as file:
        header = file.read(24)
    width, height = int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big")
    # A plot unit is a centimetre of paper: 420 x 297 mm at 50 dots per 25.4 mm.
    assert (width, height) == (round(420 * 50 / 25.4), round(297 * 50 / 25.4))
