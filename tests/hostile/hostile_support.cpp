#include "hostile_support.h"

#include <sys/resource.h>

#include "dwfplot/DWFPlotFile.h"

// Present only in a program built with AddressSanitizer.
extern "C" void __asan_init() __attribute__((weak));

namespace hostile {

void HostileTest::expectBoundedMemory() {
    if (__asan_init != nullptr) return;
    rusage usage{};
    ASSERT_EQ(::getrusage(RUSAGE_SELF, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 256L * 1024) << "peak resident size in KiB";
}

bool drawSmallPlot(const std::string& path, bool closePlot) {
    DWFPlotFileWriter writer;
    std::vector<PenDetail> pens = {{0, 0, 0, 0.25}, {255, 0, 0, 0.5}, {0, 128, 255, 1.0}};
    writer.setPenDetails(pens);
    if (!writer.openPlot(path, 21, 29.7, 2.5, 0.125, "mm", 0, "UTF-8", "Hostile", "1.0")) return false;
    writer.openPage({"1 \"walls\" 1 0"});
    writer.setPen(1);
    writer.addLine(1, 1, 3, "walls");
    writer.addLine(5, 1, 2, "walls");
    writer.addLine(5, 4, 2, "walls");
    writer.addPolygons({{{2, 2}, {3, 2}, {3, 3}}, {{2.2, 2.2}, {2.8, 2.2}, {2.8, 2.8}}}, 2, "doors");
    PlotFont font;
    font.name = "Courier New";
    writer.addText(1, 9, font, 0, L"first line", 1, 2, 3, 1, 0, "notes");
    writer.addText(1, 8, font, 0, L"Z\u00FCrich", 2, 2, 3, 1, 0, "notes");
    writer.addTable("a|b|c");
    writer.closePage();
    writer.openPage({});
    writer.setPen(2);
    writer.addLine(0, 0, 3, "");
    writer.addLine(10, 10, 2, "");
    writer.closePage();
    if (closePlot) writer.closePlot();
    return true;
}

}  // namespace hostile
