/// @file
/// The host contract of KESTRA's plot files: the plain types the host draws
/// with, the operation codes a reader replays, and the two abstract classes the
/// host calls through. The host is compiled against these declarations and
/// calls through the virtual tables, so the order of the virtual operations is
/// part of the contract and must never change.
///
/// Plot units are the host's: a page of width W and height H plot units is a
/// paper of 10 W by 10 H millimetres, and coordinates are kept to a thousandth
/// of a plot unit. Angles are degrees, counter-clockwise.
#ifndef DWFPLOT_PLOTFILE_H
#define DWFPLOT_PLOTFILE_H

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

/// One point of a point list, in plot units. The writer ignores `group`; the
/// reader's getLine puts the line's group name into the first point.
struct PlottingPoint {
    double x = 0;       ///< Horizontal position.
    double y = 0;       ///< Vertical position, upwards.
    std::string group;  ///< The line's group, on the first point the reader returns only.

    PlottingPoint() = default;
    /// A point at (`px`, `py`) of group `g`.
    PlottingPoint(double px, double py, std::string g = {}) : x(px), y(py), group(std::move(g)) {}
};

/// The font of a text.
struct PlotFont {
    std::string name = "Default";  ///< Font name; a double quote in it is written as an apostrophe.
    double height = 0.18;          ///< Height in plot units; the page stream keeps its whole part.
    std::string style;             ///< The host's own; this library neither reads nor writes it.
    bool bold = false;             ///< Bold.
    bool italic = false;           ///< Italic.
    bool underline = false;        ///< Underlined.
};

/// One entry of the pen table; the index is the pen number. Only the low
/// eight bits of each colour component are used.
struct PenDetail {
    int32_t red = 0;    ///< Red, 0 to 255.
    int32_t green = 0;  ///< Green, 0 to 255.
    int32_t blue = 0;   ///< Blue, 0 to 255.
    double width = 0;   ///< Line width in millimetres of paper.

    PenDetail() = default;
    /// Colour (`r`, `g`, `b`) and width `w` in millimetres.
    PenDetail(int32_t r, int32_t g, int32_t b, double w) : red(r), green(g), blue(b), width(w) {}
};

/// Host raster. The library reads only width, height and encoding (the
/// encode callback reads the rest); everything else belongs to the host,
/// which also owns the object.
struct IMAGE {
    int32_t width = 0;                ///< Pixel columns.
    int32_t height = 0;               ///< Pixel rows.
    int32_t channels = 0;             ///< Samples per pixel of `pixels`.
    unsigned char* pixels = nullptr;  ///< Row-major, top row first.
    int32_t encoding = 0;             ///< 0: the host encodes JPEG; 1-4: PNG; anything else: skipped.
};

/// What PlotFileReader::getOperation reports. The values are fixed.
enum Plt_Plot_Operation_T {
    PLT_NEW_PAGE = 0,       ///< A page begins; no getter.
    PLT_PLOT_OPENED = 1,    ///< The first code after a successful openPlot; no getter.
    PLT_PEN = 2,            ///< The pen in force: getPen. Comes before every line, polygon set, text and symbol.
    PLT_SYMBOL = 3,         ///< getSymbol.
    PLT_TEXT = 4,           ///< getText.
    PLT_LINE = 5,           ///< getLine.
    PLT_POLYGONS = 6,       ///< getPolygons.
    PLT_END_OF_PLOT = 7,    ///< No more pages; it comes again on every later call.
    PLT_NONE = 8,           ///< Nothing for the host this time; call getOperation again.
    PLT_IMAGE = 9,          ///< getImage.
    PLT_GROUP_OPTIONS = 10, ///< getGroupInfo. Each group option is reported on two calls in a row.
    PLT_TABLE = 11          ///< getTableString.
};

/// Encodes `image`; sets `data` to a buffer of `size` bytes (JPEG for
/// encoding 0, PNG for 1 to 4). Returns non-zero on success, 0 to skip the
/// image. The buffer stays the host's: the writer copies it into the page
/// and hands it back to the release callback at once.
///
/// Callbacks run on the thread that drives the writer or reader they were
/// given to. Objects driven on several threads at once call them at once, so
/// a callback shared by such objects must tolerate concurrent calls (no
/// unguarded state of its own shared between calls).
typedef int (*ImageEncodeCallback)(IMAGE* image, long& size, void*& data);
/// Frees a buffer that the encode callback produced.
typedef void (*ImageReleaseCallback)(void* data);
/// Loads the image file at `path` (".jpg", ".png" or ".tif") into a new IMAGE
/// that belongs to the host. The file is removed as soon as the callback
/// returns; null when it cannot be loaded.
typedef IMAGE* (*ImageLoadCallback)(const char* path);

// Texts with which a reader reports problems to the host (canRead's `message`).
/// Not a plot package of this library.
inline constexpr char PLT_NOT_A_KESTRA_GENERATED_FILE[] = "PLT_NOT_A_KESTRA_GENERATED_FILE";
/// A plot package of an older format (PlotFileVersion 1.0 or 1.1).
inline constexpr char PLT_OLD_FILE_FORMAT[] = "PLT_OLD_FILE_FORMAT";
/// A plot package of a newer format.
inline constexpr char PLT_NEW_FILE_FORMAT[] = "PLT_NEW_FILE_FORMAT";
/// The package is corrupt.
inline constexpr char PLT_CORRUPT_FILE_ERROR[] = "PLT_CORRUPT_FILE_ERROR";
/// A document of the package does not describe what it should.
inline constexpr char PLT_BUILDING_XML_OBJECT_ERROR[] = "PLT_BUILDING_XML_OBJECT_ERROR";
/// An entry the package names is missing.
inline constexpr char PLT_FILE_NOT_IN_DWF[] = "PLT_FILE_NOT_IN_DWF";
/// The file cannot be opened.
inline constexpr char PLT_FILE_OPEN_ERROR[] = "PLT_FILE_OPEN_ERROR";
/// The file cannot be read.
inline constexpr char PLT_FILE_READ_ERROR[] = "PLT_FILE_READ_ERROR";
/// A file cannot be written.
inline constexpr char PLT_FILE_WRITE_ERROR[] = "PLT_FILE_WRITE_ERROR";
/// A fault inside the library.
inline constexpr char PLT_INTERNAL_ERROR[] = "PLT_INTERNAL_ERROR";
/// A document of the package is not well-formed XML.
inline constexpr char PLT_INVALID_XML_CONTENT_ERROR[] = "PLT_INVALID_XML_CONTENT_ERROR";
/// Memory ran out.
inline constexpr char PLT_OUT_OF_MEMORY_ERROR[] = "PLT_OUT_OF_MEMORY_ERROR";
/// A temporary file cannot be made.
inline constexpr char PLT_TEMP_FILE_ERROR[] = "PLT_TEMP_FILE_ERROR";
/// The library was called out of order.
inline constexpr char PLT_TOOLKIT_USAGE_ERROR[] = "PLT_TOOLKIT_USAGE_ERROR";
/// The ZIP container is broken.
inline constexpr char PLT_ZIPLIB_ERROR[] = "PLT_ZIPLIB_ERROR";
/// The package is encrypted.
inline constexpr char PLT_BAD_PASSWORD_ERROR[] = "PLT_BAD_PASSWORD_ERROR";
/// A stream is still being read.
inline constexpr char PLT_STREAM_IN_PROGRESS[] = "PLT_STREAM_IN_PROGRESS";
/// The operation was stopped.
inline constexpr char PLT_USER_REQUESTED_ABORT[] = "PLT_USER_REQUESTED_ABORT";
/// A file of a type this library does not read.
inline constexpr char PLT_UNSUPPORTED_FILE_TYPE_ERROR[] = "PLT_UNSUPPORTED_FILE_TYPE_ERROR";
/// No temporary directory can be used.
inline constexpr char PLT_TEMP_PATH_ERROR[] = "PLT_TEMP_PATH_ERROR";
/// Any other failure.
inline constexpr char PLT_GENERAL_ERROR[] = "PLT_GENERAL_ERROR";

/// The host's writer. Coordinates and lengths are plot units, angles degrees
/// counter-clockwise. Do not reorder: the host calls through these slots.
///
/// Calling order: setPenDetails, openPlot, then for each page openPage, the
/// drawing calls (setPen, addLine, addPolygons, addSymbol, addText, addImage,
/// addTable) and closePage, and last closePlot. After closePlot the same
/// writer may open another plot.
///
/// Failures: openPlot answers false; every other call reports a package that
/// cannot be written by throwing a DWF::DwfResult::Enum value (WriteFailed for
/// a failed write, such as a full disk) and std::bad_alloc when memory runs
/// out. A plot that failed is removed: no half-written package is left.
class PlotFileWriter {
public:
    /// Finishes a plot still open (its package is written, a page still open
    /// without its graphics) and removes the writer's temporary files.
    /// Reports nothing.
    virtual ~PlotFileWriter() {}
    /// Creates the package `fileName` and the temporary directory its page
    /// streams need. A plot still open is closed first.
    /// @param fileName the package to write, in the active code page; an existing file is replaced
    /// @param pageWidth, pageHeight the page in plot units (ten millimetres of paper each)
    /// @param xScale, yScale the plot's scale, stored for the reader; with `units` "I" both are divided by 39.37
    /// @param units the plot's units, stored for the reader
    /// @param reserved unused
    /// @param encoding stored for the reader ("Encoding")
    /// @param productName, productVersion the producing application, stored in the manifest
    /// @return false when the package or the temporary directory cannot be made (nothing is left behind);
    ///         the host then draws nothing into this plot.
    virtual bool openPlot(const std::string& fileName, double pageWidth, double pageHeight,
                          double xScale, double yScale, std::string units, unsigned int reserved,
                          const std::string& encoding, const std::string& productName,
                          const std::string& productVersion) = 0;
    /// Closes a page still open and writes the package whole. Without an open
    /// plot it does nothing.
    /// @throw DWF::DwfResult::Enum WriteFailed when any part of the plot could not be written; the package
    ///        has then been removed.
    virtual void closePlot() = 0;
    /// Starts the next page; a page still open is closed first. Before
    /// openPlot it opens nothing.
    /// @param groupOptions strings composed by the host as a number, the group name in double quotes and two
    ///        flags of 1 or 0 (`3 "Roads" 1 0`); copied unchanged and written at closePage in ascending order.
    virtual void openPage(const std::set<std::string>& groupOptions) = 0;
    /// Finishes the page: its stream goes into the package. Without an open page it does nothing.
    virtual void closePage() = 0;
    /// One point of a polyline. Points are gathered into the current line and
    /// written when the line ends: at the next point with pen code 3, or at
    /// the next call other than addLine and addTable.
    /// @param x, y the point
    /// @param penCode 3 starts a new line at (`x`, `y`); any other code continues the line to it
    /// @param group the point's group; a line is written with its first point's group
    virtual void addLine(double x, double y, int penCode, const std::string& group) = 0;
    /// Stores `table` in the page byte for byte, up to its first zero byte.
    virtual void addTable(std::string table) = 0;
    /// One filled shape of one or more contours; inner contours are holes (even-odd).
    /// @param polygons the contours, each closed implicitly
    /// @param pen the pen to draw it with; it becomes the current pen, as with setPen
    /// @param group the shape's group
    virtual void addPolygons(const std::vector<std::vector<PlottingPoint>>& polygons, int pen,
                             const std::string& group) = 0;
    /// A named symbol at (`x`, `y`): `shape` (contours in symbol coordinates)
    /// scaled by `scale`, turned by `angle` about the symbol's origin and
    /// moved to (`x`, `y`). A contour of 21 or more points on a circle is
    /// drawn as a circle. The reader replays the symbol by its name only.
    /// @param x, y kept to three decimals
    /// @param scale, angle kept to two decimals, and drawn with the values kept
    /// @param filled fill each contour, or draw it as an outline
    /// @param name the symbol's name; a space in it is written as "_"
    /// @param shape the contours
    /// @param group the symbol's group; a double quote in it is written as an apostrophe
    virtual void addSymbol(double x, double y, double scale, double angle, bool filled,
                           const std::string& name,
                           const std::vector<std::vector<PlottingPoint>>& shape,
                           const std::string& group) = 0;
    /// One line of a text of `lineCount` lines. Lines are kept until the call
    /// with `lineIndex` equal to `lineCount`, which writes the whole text with
    /// that call's position, font and angle. A one-line text of spaces only is
    /// not written.
    /// @param x, y the line's baseline start; the reader returns those of the last line
    /// @param font the text's font
    /// @param angle the baseline's direction
    /// @param line the line's text, zero-terminated; read during the call only
    /// @param lineIndex from 1 to `lineCount`
    /// @param lineCount the text's lines
    /// @param width, height the line's extent along and across the baseline
    /// @param descentFactor `descentFactor` × `height` reaches from the baseline down to the box's bottom
    /// @param group the text's group
    virtual void addText(double x, double y, const PlotFont& font, double angle,
                         const wchar_t* line, int lineIndex, int lineCount, double width,
                         double height, double descentFactor, const std::string& group) = 0;
    /// An image whose lower left corner is (`x`, `y`) and whose extent is
    /// `width` by `height`. The encode callback turns `image` into a JPEG
    /// (encoding 0) or PNG (1 to 4), and the release callback gets the buffer
    /// back; without callbacks, when the callback declines, or for another
    /// encoding, no image is written. `image` stays the host's and is read
    /// during the call only. The reader returns `height` before `width`.
    virtual void addImage(double x, double y, double width, double height, IMAGE* image,
                          const std::string& group) = 0;
    /// Makes entry `pen` of the pen table the current pen (colour and line
    /// width); a number outside the table takes entry 0. The pen lasts across pages.
    virtual void setPen(int pen) = 0;
    /// The pen table, entry n for pen n; copied. Called before openPlot.
    virtual void setPenDetails(std::vector<PenDetail>& pens) = 0;
};

/// The host's reader. Do not reorder: the host calls through these slots.
///
/// Calling order: canRead (optional), openPlot, then getOperation until
/// PLT_END_OF_PLOT, calling the getter that matches each code before the next
/// getOperation, then closePlot. A getter called at another time returns what
/// the last operation left. No call throws: a reader reports a file it
/// refuses through canRead's message and openPlot's false, and a page whose
/// stream breaks off ends early with the operations read so far.
class PlotFileReader {
public:
    /// Removes the package's temporary files.
    virtual ~PlotFileReader() {}
    /// Bytes of all page streams of the open plot; 0 before openPlot.
    virtual long size() = 0;
    /// Bytes of the pages already replayed plus the position in the open page: progress against size().
    virtual long position() = 0;
    /// Whether this library can replay `fileName`. It leaves no package open.
    /// @param fileName the file, in the active code page
    /// @param message on false, one of the PLT_... texts; on true, left as it was
    virtual bool canRead(const std::string& fileName, std::string& message) = 0;
    /// Opens the package, reads the plot's values and prepares the pages;
    /// the first getOperation then reports PLT_PLOT_OPENED. A plot open
    /// before is replaced. Call canRead first: openPlot does not check the
    /// plot's properties.
    /// @return false when the file cannot be opened as a plot package; getOperation then reports PLT_END_OF_PLOT.
    virtual bool openPlot(const std::string& fileName) = 0;
    /// The page size in plot units, as the writer was given it.
    virtual void getPageSize(double& width, double& height) = 0;
    /// The plot's scale, as the writer was given it.
    virtual void getPlotScale(double& xScale, double& yScale) = 0;
    /// The plot's units, as the writer was given them.
    virtual void getPlotUnits(std::string& units) = 0;
    /// The next operation of the plot (see Plt_Plot_Operation_T); PLT_NONE
    /// when a call has nothing for the host, PLT_END_OF_PLOT after the last page.
    virtual Plt_Plot_Operation_T getOperation() = 0;
    /// After PLT_PEN: the pen in force for the drawable that follows.
    virtual int getPen() = 0;
    /// After PLT_GROUP_OPTIONS: the group's name and its two flags (true for 1).
    virtual void getGroupInfo(std::string& name, bool& first, bool& second) = 0;
    /// After PLT_LINE: the line's points, with the line's group in the first
    /// point's `group`; `points` is replaced (its old buffer is reused).
    virtual void getLine(std::vector<PlottingPoint>& points) = 0;
    /// After PLT_TABLE: the table string as the writer was given it.
    virtual void getTableString(std::string& table) = 0;
    /// After PLT_POLYGONS: the contours, the pen and the group of one filled shape.
    virtual void getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen,
                             std::string& group) = 0;
    /// The same without the group.
    virtual void getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen) = 0;
    /// After PLT_SYMBOL: the symbol's placement and name, as the writer kept
    /// them (x, y to three decimals, scale and angle to two), and its group.
    virtual void getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                           std::string& name, std::string& group) = 0;
    /// The same without the group.
    virtual void getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                           std::string& name) = 0;
    /// After PLT_TEXT: the text's lines separated by line feeds (10), with
    /// the position of its last line, its font, angle and group.
    /// @return a zero-terminated buffer owned by the reader, valid until the next getText or the reader's end
    virtual const wchar_t* getText(double& x, double& y, PlotFont& font, double& angle,
                                   std::string& group) = 0;
    /// The same without the group.
    virtual const wchar_t* getText(double& x, double& y, PlotFont& font, double& angle) = 0;
    /// The plot's "Encoding", as the writer was given it; "ISO8859_1" when it has none.
    virtual std::string getEncoding() = 0;
    /// Ends the replay. The package's temporary files stay until the reader
    /// goes or opens another file.
    virtual void closePlot() = 0;
    /// After PLT_IMAGE: the image's placement and what the load callback made of its file.
    /// @param x, y the lower left corner
    /// @param height, width the extent in plot units, height first
    /// @param group the image's group
    /// @param image the load callback's IMAGE, which belongs to the host (null without a callback or when it
    ///        failed); the reader keeps no reference to it
    virtual void getImage(double& x, double& y, double& height, double& width, IMAGE** image,
                          std::string& group) = 0;
    /// The same without the group.
    virtual void getImage(double& x, double& y, double& height, double& width,
                          IMAGE** image) = 0;
};

#endif  // DWFPLOT_PLOTFILE_H
