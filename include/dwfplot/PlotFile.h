// The host contract of KESTRA's plot files: the plain types the host draws
// with, the operation codes a reader replays, and the two abstract classes the
// host calls through. The host is compiled against these declarations and
// calls through the virtual tables, so the order of the virtual operations is
// part of the contract and must never change.
#ifndef DWFPLOT_PLOTFILE_H
#define DWFPLOT_PLOTFILE_H

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

// One point of a point list, in plot units. The writer ignores `group`; the
// reader's getLine puts the line's group name into the first point.
struct PlottingPoint {
    double x = 0;
    double y = 0;
    std::string group;

    PlottingPoint() = default;
    PlottingPoint(double px, double py, std::string g = {}) : x(px), y(py), group(std::move(g)) {}
};

struct PlotFont {
    std::string name = "Default";
    double height = 0.18;  // plot units
    std::string style;     // the host's own; this library neither reads nor writes it
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// One entry of the pen table; the index is the pen number. Only the low
// eight bits of each colour component are used.
struct PenDetail {
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
    double width = 0;  // millimetres of paper

    PenDetail() = default;
    PenDetail(int32_t r, int32_t g, int32_t b, double w) : red(r), green(g), blue(b), width(w) {}
};

// Host raster. The library reads only width, height and encoding; everything
// else belongs to the host, which also owns the object.
struct IMAGE {
    int32_t width = 0;                // pixel columns
    int32_t height = 0;               // pixel rows
    int32_t channels = 0;             // samples per pixel of `pixels`
    unsigned char* pixels = nullptr;  // row-major, top row first
    int32_t encoding = 0;             // 0: the host encodes JPEG; 1-4: PNG; anything else: skipped
};

// What PlotFileReader::getOperation reports. The values are fixed.
enum Plt_Plot_Operation_T {
    PLT_NEW_PAGE = 0,
    PLT_PLOT_OPENED = 1,
    PLT_PEN = 2,
    PLT_SYMBOL = 3,
    PLT_TEXT = 4,
    PLT_LINE = 5,
    PLT_POLYGONS = 6,
    PLT_END_OF_PLOT = 7,
    PLT_NONE = 8,
    PLT_IMAGE = 9,
    PLT_GROUP_OPTIONS = 10,
    PLT_TABLE = 11
};

/// Callbacks run on the thread that drives the writer or reader they were
/// given to. Objects driven on several threads at once call them at once, so
/// a callback shared by such objects must tolerate concurrent calls (no
/// unguarded state of its own shared between calls).
///
/// Encodes `image`; sets `data` to a buffer of `size` bytes (JPEG for
/// encoding 0, PNG for 1 to 4). Returns non-zero on success, 0 to skip it.
typedef int (*ImageEncodeCallback)(IMAGE* image, long& size, void*& data);
/// Frees a buffer that the encode callback produced.
typedef void (*ImageReleaseCallback)(void* data);
/// Loads the image file at `path` (".jpg", ".png" or ".tif") into a new IMAGE
/// that belongs to the host.
typedef IMAGE* (*ImageLoadCallback)(const char* path);

// Texts with which a reader reports problems to the host.
inline constexpr char PLT_NOT_A_KESTRA_GENERATED_FILE[] = "PLT_NOT_A_KESTRA_GENERATED_FILE";
inline constexpr char PLT_OLD_FILE_FORMAT[] = "PLT_OLD_FILE_FORMAT";
inline constexpr char PLT_NEW_FILE_FORMAT[] = "PLT_NEW_FILE_FORMAT";
inline constexpr char PLT_CORRUPT_FILE_ERROR[] = "PLT_CORRUPT_FILE_ERROR";
inline constexpr char PLT_BUILDING_XML_OBJECT_ERROR[] = "PLT_BUILDING_XML_OBJECT_ERROR";
inline constexpr char PLT_FILE_NOT_IN_DWF[] = "PLT_FILE_NOT_IN_DWF";
inline constexpr char PLT_FILE_OPEN_ERROR[] = "PLT_FILE_OPEN_ERROR";
inline constexpr char PLT_FILE_READ_ERROR[] = "PLT_FILE_READ_ERROR";
inline constexpr char PLT_FILE_WRITE_ERROR[] = "PLT_FILE_WRITE_ERROR";
inline constexpr char PLT_INTERNAL_ERROR[] = "PLT_INTERNAL_ERROR";
inline constexpr char PLT_INVALID_XML_CONTENT_ERROR[] = "PLT_INVALID_XML_CONTENT_ERROR";
inline constexpr char PLT_OUT_OF_MEMORY_ERROR[] = "PLT_OUT_OF_MEMORY_ERROR";
inline constexpr char PLT_TEMP_FILE_ERROR[] = "PLT_TEMP_FILE_ERROR";
inline constexpr char PLT_TOOLKIT_USAGE_ERROR[] = "PLT_TOOLKIT_USAGE_ERROR";
inline constexpr char PLT_ZIPLIB_ERROR[] = "PLT_ZIPLIB_ERROR";
inline constexpr char PLT_BAD_PASSWORD_ERROR[] = "PLT_BAD_PASSWORD_ERROR";
inline constexpr char PLT_STREAM_IN_PROGRESS[] = "PLT_STREAM_IN_PROGRESS";
inline constexpr char PLT_USER_REQUESTED_ABORT[] = "PLT_USER_REQUESTED_ABORT";
inline constexpr char PLT_UNSUPPORTED_FILE_TYPE_ERROR[] = "PLT_UNSUPPORTED_FILE_TYPE_ERROR";
inline constexpr char PLT_TEMP_PATH_ERROR[] = "PLT_TEMP_PATH_ERROR";
inline constexpr char PLT_GENERAL_ERROR[] = "PLT_GENERAL_ERROR";

// The host's writer. Coordinates and lengths are plot units, angles degrees
// counter-clockwise. Do not reorder: the host calls through these slots.
class PlotFileWriter {
public:
    virtual ~PlotFileWriter() {}
    virtual bool openPlot(const std::string& fileName, double pageWidth, double pageHeight,
                          double xScale, double yScale, std::string units, unsigned int reserved,
                          const std::string& encoding, const std::string& productName,
                          const std::string& productVersion) = 0;
    virtual void closePlot() = 0;
    virtual void openPage(const std::set<std::string>& groupOptions) = 0;
    virtual void closePage() = 0;
    virtual void addLine(double x, double y, int penCode, const std::string& group) = 0;
    virtual void addTable(std::string table) = 0;
    virtual void addPolygons(const std::vector<std::vector<PlottingPoint>>& polygons, int pen,
                             const std::string& group) = 0;
    virtual void addSymbol(double x, double y, double scale, double angle, bool filled,
                           const std::string& name,
                           const std::vector<std::vector<PlottingPoint>>& shape,
                           const std::string& group) = 0;
    virtual void addText(double x, double y, const PlotFont& font, double angle,
                         const wchar_t* line, int lineIndex, int lineCount, double width,
                         double height, double descentFactor, const std::string& group) = 0;
    virtual void addImage(double x, double y, double width, double height, IMAGE* image,
                          const std::string& group) = 0;
    virtual void setPen(int pen) = 0;
    virtual void setPenDetails(std::vector<PenDetail>& pens) = 0;
};

// The host's reader. Do not reorder: the host calls through these slots.
class PlotFileReader {
public:
    virtual ~PlotFileReader() {}
    virtual long size() = 0;
    virtual long position() = 0;
    virtual bool canRead(const std::string& fileName, std::string& message) = 0;
    virtual bool openPlot(const std::string& fileName) = 0;
    virtual void getPageSize(double& width, double& height) = 0;
    virtual void getPlotScale(double& xScale, double& yScale) = 0;
    virtual void getPlotUnits(std::string& units) = 0;
    virtual Plt_Plot_Operation_T getOperation() = 0;
    virtual int getPen() = 0;
    virtual void getGroupInfo(std::string& name, bool& first, bool& second) = 0;
    virtual void getLine(std::vector<PlottingPoint>& points) = 0;
    virtual void getTableString(std::string& table) = 0;
    virtual void getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen,
                             std::string& group) = 0;
    virtual void getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen) = 0;
    virtual void getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                           std::string& name, std::string& group) = 0;
    virtual void getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                           std::string& name) = 0;
    virtual const wchar_t* getText(double& x, double& y, PlotFont& font, double& angle,
                                   std::string& group) = 0;
    virtual const wchar_t* getText(double& x, double& y, PlotFont& font, double& angle) = 0;
    virtual std::string getEncoding() = 0;
    virtual void closePlot() = 0;
    virtual void getImage(double& x, double& y, double& height, double& width, IMAGE** image,
                          std::string& group) = 0;
    virtual void getImage(double& x, double& y, double& height, double& width,
                          IMAGE** image) = 0;
};

#endif  // DWFPLOT_PLOTFILE_H
