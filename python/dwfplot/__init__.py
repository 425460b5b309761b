"""Write, read and render DWF plot files.

    import dwfplot
    with dwfplot.Writer("site.dwf", 29.7, 21.0, pens=[(0, 0, 0, 0.35)]) as plot:
        plot.open_page()
        plot.line([(1, 1), (10, 5)], group="Roads")
        plot.close_page()
    for op in dwfplot.read("site.dwf"):
        print(op.kind)
"""
from ._dwfplot import (
    Error,
    Font,
    Operation,
    PlotInfo,
    Reader,
    Writer,
    __version__,
    info,
    read,
    render,
)

__all__ = ["Error", "Font", "Operation", "PlotInfo", "Reader", "Writer", "__version__", "info", "read", "render"]
