from types import TracebackType
from typing import Iterable, Iterator, Literal, NamedTuple, Sequence, Tuple, Union

import numpy as np
import numpy.typing as npt

__version__: str

Points = Union[npt.ArrayLike, Sequence[Tuple[float, float]]]
GroupOption = Union[str, Tuple[str, bool, bool]]

class Error(Exception):
    reason: str

class Font(NamedTuple):
    name: str
    height: float
    bold: bool
    italic: bool
    underline: bool

class PlotInfo(NamedTuple):
    width: float
    height: float
    x_scale: float
    y_scale: float
    units: str
    encoding: str
    pages: int

class Operation:
    kind: Literal["page", "pen", "group_options", "line", "polygons", "text", "symbol", "table", "image"]
    # pen
    pen: int
    # group_options
    name: str
    first: bool
    second: bool
    # line
    points: npt.NDArray[np.float64]
    group: str
    # polygons
    contours: list[npt.NDArray[np.float64]]
    # text, symbol, image
    x: float
    y: float
    text: str
    angle: float
    font: Font
    scale: float
    filled: bool
    width: float
    height: float
    data: bytes
    format: str

class Reader(Iterator[Operation]):
    def __iter__(self) -> Reader: ...
    def __next__(self) -> Operation: ...
    def close(self) -> None: ...
    def __enter__(self) -> Reader: ...
    def __exit__(self, *args: object) -> None: ...

def read(path: str) -> Reader: ...
def info(path: str) -> PlotInfo: ...
def render(path: str, out: str, format: Literal["svg", "pdf", "png"] = "svg", dpi: int = 96) -> list[str]: ...

class Writer:
    closed: bool
    path: str
    def __init__(
        self,
        path: str,
        width: float,
        height: float,
        units: str = "Centimeters",
        x_scale: float = 1.0,
        y_scale: float = 1.0,
        encoding: str = "UTF-8",
        pens: Sequence[Tuple[int, int, int, float]] = ...,
        product: Tuple[str, str] = ...,
    ) -> None: ...
    def open_page(self, group_options: Iterable[GroupOption] = ()) -> None: ...
    def close_page(self) -> None: ...
    def set_pen(self, pen: int) -> None: ...
    def line(self, points: Points, group: str = "") -> None: ...
    def polygons(self, contours: Sequence[Points], pen: int = 0, group: str = "") -> None: ...
    def text(
        self,
        x: float,
        y: float,
        text: str,
        height: float,
        angle: float = 0.0,
        font: str = "Default",
        bold: bool = False,
        italic: bool = False,
        underline: bool = False,
        group: str = "",
        line_spacing: float = 1.5,
        glyph_width: float = 0.55,
        descent: float = 0.2,
    ) -> None: ...
    def symbol(
        self,
        x: float,
        y: float,
        scale: float = 1.0,
        angle: float = 0.0,
        filled: bool = False,
        name: str = "",
        shape: Sequence[Points] = ...,
        group: str = "",
    ) -> None: ...
    def table(self, text: str) -> None: ...
    def image(
        self, x: float, y: float, width: float, height: float, pixels: npt.NDArray[np.uint8], group: str = ""
    ) -> None: ...
    def close(self) -> None: ...
    def abort(self) -> None: ...
    def __enter__(self) -> Writer: ...
    def __exit__(
        self, type: type[BaseException] | None, value: BaseException | None, traceback: TracebackType | None
    ) -> Literal[False]: ...
