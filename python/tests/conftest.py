"""Every test runs in an empty directory of its own, with TMPDIR pointing to
another; the reader puts image files into the working directory while it
hands them over, and nothing may be left in either afterwards."""
import math
import os
import subprocess

import numpy as np
import pytest

import dwfplot


@pytest.fixture(autouse=True)
def workdir(tmp_path, monkeypatch):
    work = tmp_path / "work"
    temp = tmp_path / "temp"
    work.mkdir()
    temp.mkdir()
    monkeypatch.chdir(work)
    monkeypatch.setenv("TMPDIR", str(temp))
    yield work
    assert sorted(os.listdir(temp)) == [], "temporary files left behind"


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout


def host(*arguments):
    """The C++ host of host_plot.cpp."""
    return run(os.environ["DWFPLOT_HOST"], *arguments)


def tool(*arguments):
    return run(os.environ["DWFPLOT_TOOL"], *arguments)


def gradient(width, height, channels):
    """The reference images: the same pixels host_plot.cpp makes."""
    row, column, channel = np.meshgrid(np.arange(height), np.arange(width), np.arange(channels), indexing="ij")
    return ((row * 37 + column * 11 + channel * 71) % 256).astype(np.uint8)


def reference_plot(path):
    """The plot host_plot.cpp writes, through the Python module."""
    pens = [(0, 0, 0, 0.25), (200, 30, 30, 0.5), (30, 30, 200, 0.7)]
    with dwfplot.Writer(path, 42.0, 29.7, units="Millimeters", x_scale=2.5, y_scale=2.5, pens=pens,
                        product=("host", "1.0")) as plot:
        plot.open_page([("Roads", True, False), ("Parcels", False, True)])
        plot.set_pen(1)
        plot.line(np.array([[1, 1], [5.5, 2.25], [9.125, 1]]), group="Roads")
        plot.set_pen(2)
        plot.line([(0.001, 0.002), (30.5, 20.25)])
        plot.polygons([[(2, 2), (12, 2), (12, 8), (2, 8)], [(4, 4), (6, 4), (6, 6)]], pen=2, group="Parcels")
        plot.text(3, 20, "Grüße aus Zürich\nline two", 1.5, font="Arial", bold=True, underline=True,
                  group="Labels")
        plot.close_page()

        plot.open_page()
        plot.set_pen(3)
        circle = [(math.cos(i * 3.14159265358979 / 18), math.sin(i * 3.14159265358979 / 18)) for i in range(36)]
        plot.symbol(10, 10, 1.5, 30, True, "Valve", [circle], "Pipes")
        plot.symbol(20, 10, 1, 0, False, "Box", [[(-1, -1), (1, -1), (1, 1), (-1, 1), (-1, -1)]])
        plot.table("Part|Qty\nBolt|12")
        plot.text(25, 5, "sideways", 0.5, angle=90, italic=True)
        plot.image(1, 2, 6, 4, gradient(5, 3, 3), "Photos")
        plot.image(8, 2, 2, 4, gradient(2, 4, 4))
        plot.close_page()


def plain(operation):
    """An operation as the C++ host prints it: lists for arrays, hex for bytes."""
    fields = {"kind": operation.kind}
    for name, value in vars(operation).items():
        if isinstance(value, np.ndarray):
            value = value.tolist()
        elif name == "contours":
            value = [contour.tolist() for contour in value]
        elif name == "font":
            value = list(value)
        elif name == "data":
            value = value.hex()
        elif name == "format":
            continue
        fields[name] = value
    return fields
