// What a host learns from DWFPlotFileReader, as text: each operation with its getter's data on one line, the
// plot-wide values, and a whole package replayed from canRead to the end of the plot.
#ifndef DWFPLOT_TESTS_SUPPORT_PLOT_REPLAY_H
#define DWFPLOT_TESTS_SUPPORT_PLOT_REPLAY_H

#include <memory>
#include <string>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "support/temp_dir_test.h"

namespace testsupport {

using Lines = std::vector<std::string>;
using Codes = std::vector<Plt_Plot_Operation_T>;

// The shortest text that reads back as the same double.
std::string number(double value);
// " 1.5,-0.25'Roads' 2,3": each point with its group in quotes when it has one.
std::string points(const std::vector<PlottingPoint>& list);
// The polygons' points, separated by " |".
std::string shapes(const std::vector<std::vector<PlottingPoint>>& polygons);

// What the host's loader saw: the path it was given, the file's bytes, and the image it returned.
struct Load {
    std::string path, bytes;
    std::unique_ptr<IMAGE> image;
};
// The host's encoder: JPEG for kind 0, PNG otherwise, as marked bytes ("PNG:<width>"), freed by releaseImage.
int encodeImage(IMAGE* image, long& size, void*& data);
void releaseImage(void* data);

// A plot of two pages with every kind of drawing (lines, polygons, a two-line text, a symbol, a table, a PNG and
// a JPEG image, group options), shifted by `n` so that no two plots agree, as a host draws it through
// DWFPlotFileWriter with encodeImage; false when openPlot refused. Exceptions from the writer reach the caller.
// Without `closePlot` the writer's destruction finishes the package.
bool writeSamplePlot(const std::string& path, int n = 0, bool closePlot = true);

// One list per thread: readers on several threads at once, sharing the loader, each see their own loads.
std::vector<Load>& loads();
// The host's loader: records the load and returns a new image.
IMAGE* loadImage(const char* path);

// "pen 7", "line 1.5,-0.25'Roads' 2,3", "polygons 2 'Parcels': 0,0 4,0 4,4 | 1,1 2,1 2,2", "table a|b",
// "text 1,2 'Labels' Arial 2.5 bold 0: one\ntwo", "symbol 1.5,2.25 1.5 45 filled Valve 'Pipes'", "none", "page",
// "opened", "options Roads 1 0", "image 1,2 1x4 'Photos' #0" (height x width, the index in loads()); "" at the
// end of the plot. Values a getter leaves alone show as 9, "~" or true.
std::string describe(DWFPlotFileReader& reader, Plt_Plot_Operation_T op);

// The next operations up to the end of the plot (at most `calls`), as describe() gives them, with the image
// file loaded meanwhile (" .png 'bytes'") and " file left" when it was not removed at once. `ended` tells
// whether the end of the plot came.
Lines replay(DWFPlotFileReader& reader, size_t calls = 60, bool* ended = nullptr);

// The next `n` operation codes, bare: for the order of operations, when the getters' data does not matter.
Codes operations(DWFPlotFileReader& reader, size_t n);

// Page size, scale, units and encoding: "420x297 2.5,0.125 mm UTF-8".
std::string plotValues(DWFPlotFileReader& reader);
// "<pages> pages <size>/<position>".
std::string progress(DWFPlotFileReader& reader);

// Everything a host learns from one package.
struct PackageReplay {
    bool readable = false;
    std::string message;  // "untouched" when canRead left it alone
    bool opened = false;
    bool ended = false;  // PLT_END_OF_PLOT came within the bound, and came again
    std::string plot;    // plotValues and progress once opened
    Lines operations;    // from PLT_PLOT_OPENED on; a last line notes a position short of the size
};
// At most `maxOperations` calls of getOperation, so a reader that never ends shows as !ended.
PackageReplay replayPackage(const std::string& path, size_t maxOperations = 100000);

// The host's message for result codes 0, -1, ..., -25.
extern const char* const kHostMessages[26];
// A message canRead may give on refusal.
bool isHostErrorName(const std::string& message);

// A test with a current directory of its own, where the reader puts image files; it must be left empty, and
// the loader must have been given files in it.
class PlotReaderTest : public TempDirTest {
protected:
    void SetUp() override;
    void TearDown() override;
    const std::string& runDir() const { return runDir_; }

private:
    std::string savedCwd_, runDir_;
};

}  // namespace testsupport

#endif  // DWFPLOT_TESTS_SUPPORT_PLOT_REPLAY_H
