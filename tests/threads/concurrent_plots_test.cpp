// Writers and readers on threads of their own at once, all readers with one
// image loader: each plot reads back as it does when one thread does it all.
// What they share (the reader's lock, temporary files, identifiers, the plain
// names of the model) is what a ThreadSanitizer build of this test checks.
#include <latch>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "model/manifest/value_types.h"
#include "model/util/guid.h"
#include "model/xml/xml_boolean_enum.h"
#include "support/plot_replay.h"

namespace {

using testsupport::Lines;

// The whole plot as the host replays it, with one loader shared by every
// reader (images with the bytes it was given). Other threads' image files
// come and go in the current directory, so replay()'s check that none is left
// is the fixture's, at the end.
Lines readPlot(const std::string& path) {
    testsupport::loads().clear();
    DWFPlotFileReader reader(testsupport::loadImage);
    std::string message;
    if (!reader.canRead(path, message) || !reader.openPlot(path)) return {"unreadable: " + message};
    Lines lines{testsupport::plotValues(reader)};
    for (Plt_Plot_Operation_T op; lines.size() < 1000 && (op = reader.getOperation()) != PLT_END_OF_PLOT;) {
        lines.push_back(testsupport::describe(reader, op));
        if (op == PLT_IMAGE) lines.back() += " " + testsupport::loads().back().bytes;
    }
    reader.closePlot();
    return lines;
}

// Runs `work(n)` for n = 0 .. count-1 on threads that start together.
template <typename Work>
void together(int count, Work work) {
    std::latch start(count);
    std::vector<std::thread> threads;
    for (int n = 0; n < count; ++n) {
        threads.emplace_back([&, n] {
            start.arrive_and_wait();
            work(n);
        });
    }
    for (std::thread& thread : threads) thread.join();
}

using ConcurrentPlots = testsupport::PlotReaderTest;

// The first four plots are written on the threads and read back there; the
// last four, written beforehand, are read there meanwhile.
TEST_F(ConcurrentPlots, WritersAndReadersOnTheirOwnThreadsReadBackAsOnOne) {
    constexpr int kPlots = 8;
    auto path = [&](const char* kind, int n) { return workDir() + kind + std::to_string(n) + ".dwf"; };
    std::vector<Lines> expected(kPlots), got(kPlots);
    for (int n = 0; n < kPlots; ++n) {
        ASSERT_TRUE(testsupport::writeSamplePlot(path("alone", n), n));
        expected[n] = readPlot(path("alone", n));
        ASSERT_GT(expected[n].size(), 20u) << expected[n][0];
    }
    together(kPlots, [&](int n) {
        EXPECT_TRUE(n >= kPlots / 2 || testsupport::writeSamplePlot(path("together", n), n));
        got[n] = readPlot(path(n < kPlots / 2 ? "together" : "alone", n));
    });
    for (int n = 0; n < kPlots; ++n) EXPECT_EQ(got[n], expected[n]) << "plot " << n;
}

// What stays process-wide serves several threads at once: identifiers made
// without the kernel's random source share one generator, and the word tables
// are looked up with text of either form.
TEST(ProcessWideState, ServesSeveralThreadsAtOnce) {
    constexpr int kThreads = 4, kEach = 50;
    std::vector<std::vector<std::string>> ids(kThreads);
    together(kThreads, [&](int n) {
        for (int i = 0; i < kEach; ++i) {
            ids[n].push_back(DWFUtil::createClockGuidString(false).toUtf8());
            EXPECT_EQ(DWFManifest::propertyValueTypes().codeOf(DWFUtil::String(u"double")), 13);
            EXPECT_TRUE(DWFXmlObjects::XmlBooleanEnum::find(DWFUtil::String(u"yes"))->getValue());
        }
    });
    std::set<std::string> distinct;
    for (const auto& made : ids) distinct.insert(made.begin(), made.end());
    EXPECT_EQ(distinct.size(), size_t{kThreads * kEach});
}

}  // namespace
