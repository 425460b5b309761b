/// @file
/// The DWF implementation of KESTRA's plot-file contract: DWFPlotFileWriter
/// turns a host plot into a DWF 6 package, DWFPlotFileReader replays such a
/// package as plot operations. Both are thin handles that own one
/// implementation object each. This header brings in every type their calls
/// take, return or throw.
///
/// @par Threads
/// A writer or reader object is used by one thread at a time; different
/// objects may be used on different threads at once, each with its own files.
/// The library starts no thread. What stays process-wide is guarded: the
/// plain XML names all model objects share (a set that grows under a lock
/// and is never freed, so that every object may borrow its names), the
/// diagnostic output, the package readers' state lock, and the image-load
/// callback of DWFPlotFileReader. Temporary files go into a private directory
/// per writer or reader under TMPDIR, read when the directory is made;
/// changing the environment while objects work is the host's race.
#ifndef DWFPLOT_DWFPLOTFILE_H
#define DWFPLOT_DWFPLOTFILE_H

#include <set>
#include <string>
#include <vector>

#include "DwfResult.h"
#include "PlotFile.h"

#if defined(__GNUC__)
#define DWFPLOT_API __attribute__((visibility("default")))
#else
#define DWFPLOT_API
#endif

/// Package properties that mark the packages of this library, in the order the
/// writer puts them into the manifest, and their fixed values.
namespace DWFPlotProperties {
inline constexpr char DwfToolkitVersion[] = "DwfToolkitVersion";  ///< The mark: its value is ReadOnlyMark.
inline constexpr char PlotFileVersion[] = "PlotFileVersion";      ///< The plot format's version.
inline constexpr char Encoding[] = "Encoding";                    ///< openPlot's `encoding`.
inline constexpr char XScale[] = "XScale";                        ///< openPlot's `xScale`, as ScaleFormat writes it.
inline constexpr char YScale[] = "YScale";                        ///< openPlot's `yScale`, as ScaleFormat writes it.
inline constexpr char Units[] = "Units";                          ///< openPlot's `units`.

inline constexpr char ReadOnlyMark[] = "Read Only";     ///< Value of DwfToolkitVersion.
inline constexpr char CurrentPlotFileVersion[] = "1.2";  ///< Value of PlotFileVersion.
inline constexpr char OldPlotFileVersion10[] = "1.0";    ///< Read as PLT_OLD_FILE_FORMAT.
inline constexpr char OldPlotFileVersion11[] = "1.1";    ///< Read as PLT_OLD_FILE_FORMAT.
inline constexpr char DefaultEncoding[] = "ISO8859_1";   ///< The encoding of a package without Encoding.
inline constexpr char ScaleFormat[] = "%.16g";           ///< How XScale and YScale values are written (C locale).

// Added by the package writer when the package is finished.
inline constexpr char DwfFrameworkVersion[] = "DwfFrameworkVersion";    ///< Its value is FrameworkVersionValue.
inline constexpr char SourceProductVendor[] = "SourceProductVendor";    ///< Its value is ProductVendorValue.
inline constexpr char SourceProductName[] = "SourceProductName";        ///< openPlot's `productName`.
inline constexpr char SourceProductVersion[] = "SourceProductVersion";  ///< openPlot's `productVersion`.
inline constexpr char DwfProductVendor[] = "DwfProductVendor";          ///< Its value is ProductVendorValue.
inline constexpr char DwfProductVersion[] = "DwfProductVersion";        ///< openPlot's `productVersion`.
inline constexpr char FrameworkVersionValue[] = "2.1";                  ///< Value of DwfFrameworkVersion.
inline constexpr char ProductVendorValue[] = "TALMOR";                  ///< Value of the two vendor properties.
inline constexpr char ToolkitVersionValue[] = "6.0.1.15";               ///< The toolkit's own version.
}  // namespace DWFPlotProperties

class DWFPlotFileWriterImp;
class DWFPlotFileReaderImp;

/// Writes host plots as DWF 6 packages; the contract of every call is
/// PlotFileWriter's. Used by one thread at a time (see the file's Threads).
class DWFPLOT_API DWFPlotFileWriter : public PlotFileWriter {
public:
    /// A writer without image support: addImage writes nothing.
    DWFPlotFileWriter();
    /// A writer whose addImage encodes through `encode` and hands the buffer
    /// back to `release`; either may be null.
    DWFPlotFileWriter(ImageEncodeCallback encode, ImageReleaseCallback release);
    ~DWFPlotFileWriter() override;
    DWFPlotFileWriter(const DWFPlotFileWriter&) = delete;
    DWFPlotFileWriter& operator=(const DWFPlotFileWriter&) = delete;

    bool openPlot(const std::string& fileName, double pageWidth, double pageHeight,
                  double xScale, double yScale, std::string units, unsigned int reserved,
                  const std::string& encoding, const std::string& productName,
                  const std::string& productVersion) override;
    void closePlot() override;
    void openPage(const std::set<std::string>& groupOptions) override;
    void closePage() override;
    void addLine(double x, double y, int penCode, const std::string& group) override;
    void addTable(std::string table) override;
    void addPolygons(const std::vector<std::vector<PlottingPoint>>& polygons, int pen,
                     const std::string& group) override;
    void addSymbol(double x, double y, double scale, double angle, bool filled,
                   const std::string& name, const std::vector<std::vector<PlottingPoint>>& shape,
                   const std::string& group) override;
    void addText(double x, double y, const PlotFont& font, double angle, const wchar_t* line,
                 int lineIndex, int lineCount, double width, double height,
                 double descentFactor, const std::string& group) override;
    void addImage(double x, double y, double width, double height, IMAGE* image,
                  const std::string& group) override;
    void setPen(int pen) override;
    void setPenDetails(std::vector<PenDetail>& pens) override;

private:
    DWFPlotFileWriterImp* imp_;
};

/// Replays DWF 6 plot packages as plot operations; the contract of every
/// call is PlotFileReader's. Used by one thread at a time (see the file's
/// Threads).
class DWFPLOT_API DWFPlotFileReader : public PlotFileReader {
public:
    /// A reader that uses the image-load callback a reader was last given.
    DWFPlotFileReader();
    /// A reader that loads images through `load`. The image-load callback is
    /// one for the process: this constructor stores it for every reader, so
    /// readers on different threads are given the same callback, which each
    /// calls on its own thread. Its image files are made in the current
    /// directory under unique names and removed when it returns.
    explicit DWFPlotFileReader(ImageLoadCallback load);
    ~DWFPlotFileReader() override;
    DWFPlotFileReader(const DWFPlotFileReader&) = delete;
    DWFPlotFileReader& operator=(const DWFPlotFileReader&) = delete;

    long size() override;
    long position() override;
    bool canRead(const std::string& fileName, std::string& message) override;
    bool openPlot(const std::string& fileName) override;
    void getPageSize(double& width, double& height) override;
    void getPlotScale(double& xScale, double& yScale) override;
    void getPlotUnits(std::string& units) override;
    Plt_Plot_Operation_T getOperation() override;
    int getPen() override;
    void getGroupInfo(std::string& name, bool& first, bool& second) override;
    void getLine(std::vector<PlottingPoint>& points) override;
    void getTableString(std::string& table) override;
    void getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen,
                     std::string& group) override;
    void getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen) override;
    void getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                   std::string& name, std::string& group) override;
    void getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                   std::string& name) override;
    const wchar_t* getText(double& x, double& y, PlotFont& font, double& angle,
                           std::string& group) override;
    const wchar_t* getText(double& x, double& y, PlotFont& font, double& angle) override;
    std::string getEncoding() override;
    void closePlot() override;
    void getImage(double& x, double& y, double& height, double& width, IMAGE** image,
                  std::string& group) override;
    void getImage(double& x, double& y, double& height, double& width, IMAGE** image) override;

    /// Paths of the temporary files that hold the open plot's page streams,
    /// one per page in page order; empty with no plot open. The files stay
    /// until the reader goes or opens another file.
    void getPages(std::vector<std::string>& pageStreamPaths);

private:
    DWFPlotFileReaderImp* imp_;
};

#endif  // DWFPLOT_DWFPLOTFILE_H
