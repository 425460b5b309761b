// openPlot, openPage, closePage, closePlot and destruction, in order and out
// of order, through real packages.
#include <gtest/gtest.h>

#include <regex>
#include <thread>
#include <string>
#include <vector>

#include "plot_writer_test_support.h"

namespace {

using Lines = std::vector<std::string>;
using plotwritertest::Entry;
using plotwritertest::PlotWriterTest;
using plotwritertest::readPackage;

class WriterLifecycle : public PlotWriterTest {
protected:
    static std::vector<std::string> names(const std::vector<Entry>& entries) {
        std::vector<std::string> result;
        for (const auto& e : entries) result.push_back(e.name);
        return result;
    }
    // "name=value" of every manifest property, in order.
    static std::vector<std::string> properties(const std::string& path) {
        std::vector<std::string> result;
        for (const auto& e : readPackage(path)) {
            if (e.name != "manifest.xml") continue;
            const std::regex property("<dwf:Property name=\"([^\"]*)\" value=\"([^\"]*)\"");
            for (auto it = std::sregex_iterator(e.content.begin(), e.content.end(), property);
                 it != std::sregex_iterator(); ++it) {
                result.push_back((*it)[1].str() + "=" + (*it)[2].str());
            }
        }
        return result;
    }
    static bool isGraphics(const std::string& name) {
        return std::regex_match(name, std::regex("dwf\\.ePlot_[0-9A-F]{32}\\\\[0-9A-F]{32}\\.w2d"));
    }
    static bool isDescriptor(const std::string& name) {
        return std::regex_match(name, std::regex("dwf\\.ePlot_[0-9A-F]{32}\\\\descriptor\\.xml"));
    }
};

TEST_F(WriterLifecycle, PropertiesInOrderAndInchScales) {
    struct Case {
        std::string units;
        double x, y;
        std::string xText, yText;
    } const cases[] = {
        {"I", 39.37, 78.74, "1", "2"},
        {"i", 39.37, 2.5, "39.37", "2.5"},
        {"In", 0.1, 3, "0.1", "3"},
    };
    for (const auto& c : cases) {
        const std::string path = newPath();
        {
            DWFPlotFileWriter writer;
            ASSERT_TRUE(writer.openPlot(path, 21, 29.7, c.x, c.y, c.units, 7, "ISO8859_1", "Kestra", "9.1"));
        }
        EXPECT_EQ(properties(path),
                  (std::vector<std::string>{"DwfToolkitVersion=Read Only", "PlotFileVersion=1.2",
                                            "Encoding=ISO8859_1", "XScale=" + c.xText, "YScale=" + c.yText,
                                            "Units=" + c.units, "DwfFrameworkVersion=2.1",
                                            "SourceProductVendor=TALMOR", "SourceProductName=Kestra",
                                            "SourceProductVersion=9.1", "DwfProductVendor=TALMOR",
                                            "DwfProductVersion=9.1", "DwfToolkitVersion=6.0.1.15"}))
            << c.units;
        EXPECT_TRUE(plotwritertest::unzipAccepts(path));
    }
}

TEST_F(WriterLifecycle, PaperClipAndTransformOfThePage) {
    const std::string path = newPath();
    {
        DWFPlotFileWriter writer;
        ASSERT_TRUE(writer.openPlot(path, 21, 29.7, 1, 1, "mm", 0, "UTF-8", "Kestra", "9.1"));
        writer.openPage({});
        writer.closePage();
        writer.closePlot();
    }
    const auto entries = readPackage(path);
    ASSERT_EQ(entries.size(), 3u);
    const std::string& descriptor = entries[1].content;
    EXPECT_NE(descriptor.find("name=\"Page 1\""), std::string::npos) << descriptor;
    for (const char* attribute : {"show=\"false\"", "units=\"mm\"", "width=\"210\"", "height=\"297\"",
                                  "clip=\"0 0 210 297\""}) {
        EXPECT_NE(descriptor.find(attribute), std::string::npos) << attribute;
    }
    EXPECT_TRUE(std::regex_search(descriptor, std::regex("transform=\"0\\.01[0-9]* 0 0 0 0 0\\.01[0-9]* 0 0 0 0 1 0 0 0 0 1\"")))
        << descriptor;
    // Nothing drawn: the clip waits for a drawable that never comes.
    EXPECT_EQ(entries[0].content, "(W2D V06.00)(EndOfDWF)\r\n");
    EXPECT_TRUE(plotwritertest::unzipAccepts(path));
}

TEST_F(WriterLifecycle, OutOfOrderCalls) {
    const std::string path = newPath();
    {
        DWFPlotFileWriter writer;
        std::vector<PenDetail> pens = threePens();
        writer.setPenDetails(pens);
        // No plot yet: nothing opens, nothing is written, no file is left.
        writer.openPage({"1 \"early\" 1 1"});
        writer.addLine(0, 0, 3, "g");
        writer.addLine(1, 1, 2, "g");
        writer.addTable("t");
        writer.closePage();
        writer.closePlot();
        EXPECT_TRUE(testsupport::listTree(workDir()).empty());

        ASSERT_TRUE(writer.openPlot(path, 21, 29.7, 1, 1, "mm", 0, "UTF-8", "Kestra", "9.1"));
        writer.openPage({});
        writer.setPen(1);
        writer.addLine(0, 0, 3, "g");
        writer.addLine(1, 0, 2, "g");
        writer.openPage({});  // stores page 1 first
        writer.addLine(0, 1, 3, "h");
        writer.addLine(1, 1, 2, "h");
        writer.closePage();
        writer.addLine(5, 5, 3, "ignored");  // no page open
        writer.addLine(6, 6, 2, "ignored");
        writer.closePage();
        writer.closePlot();
    }
    const auto entries = readPackage(path);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_TRUE(isGraphics(entries[0].name) && isDescriptor(entries[1].name));
    EXPECT_TRUE(isGraphics(entries[2].name) && isDescriptor(entries[3].name));
    EXPECT_NE(entries[3].content.find("name=\"Page 2\""), std::string::npos);
    // The next page begins with the pen's record, colour and weight.
    EXPECT_EQ(plotwritertest::decode(entries[2].content),
              (Lines{"Viewport Clip contours=1 0,0 0,29700 21000,29700 21000,0",
                     "UserData Pen '\\x01\\x00\\x00\\x00'", "UserData Group 'h\\x00'", "Color 255,0,0,255",
                     "LineWeight 35", "LineStyle defined=0x38 join=2 start=2 end=2", "Polyline 0,1000 1000,1000"}));
    EXPECT_TRUE(plotwritertest::unzipAccepts(path));
}

TEST_F(WriterLifecycle, DestructionWithAPageOpen) {
    const std::string path = newPath();
    {
        DWFPlotFileWriter writer;
        ASSERT_TRUE(writer.openPlot(path, 21, 29.7, 1, 1, "mm", 0, "UTF-8", "Kestra", "9.1"));
        writer.openPage({});
        writer.closePage();
        writer.openPage({});
        writer.addLine(0, 0, 3, "g");
        writer.addLine(1, 1, 2, "g");
    }
    const auto entries = readPackage(path);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_TRUE(isGraphics(entries[0].name));
    EXPECT_TRUE(isDescriptor(entries[1].name));
    EXPECT_TRUE(isDescriptor(entries[2].name));  // the open page: no graphics
    EXPECT_EQ(entries[2].content.find("GraphicResource"), std::string::npos);
    EXPECT_EQ(entries[3].name, "manifest.xml");
    EXPECT_TRUE(plotwritertest::unzipAccepts(path));
}

TEST_F(WriterLifecycle, ASecondOpenPlotFinishesTheFirst) {
    const std::string first = newPath(), second = newPath();
    DWFPlotFileWriter writer;
    ASSERT_TRUE(writer.openPlot(first, 21, 29.7, 1, 1, "mm", 0, "UTF-8", "Kestra", "9.1"));
    writer.openPage({});
    ASSERT_TRUE(writer.openPlot(second, 21, 29.7, 1, 1, "mm", 0, "UTF-8", "Kestra", "9.1"));
    writer.openPage({});
    writer.closePlot();
    EXPECT_EQ(names(readPackage(first)).back(), "manifest.xml");
    EXPECT_EQ(readPackage(first).size(), 3u);
    const auto entries = readPackage(second);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_NE(entries[1].content.find("name=\"Page 1\""), std::string::npos);  // counting restarts
    EXPECT_TRUE(plotwritertest::unzipAccepts(first) && plotwritertest::unzipAccepts(second));
}

TEST_F(WriterLifecycle, APackageThatCannotBeCreatedLeavesNoFile) {
    DWFPlotFileWriter writer;
    EXPECT_FALSE(writer.openPlot(workDir() + "missing/plot.dwf", 21, 29.7, 1, 1, "mm", 0, "UTF-8", "K", "1"));
    EXPECT_FALSE(writer.openPlot(workDir(), 21, 29.7, 1, 1, "mm", 0, "UTF-8", "K", "1"));
    // Nothing open: drawing calls are ignored.
    writer.openPage({});
    writer.addLine(0, 0, 3, "g");
    writer.addLine(1, 1, 2, "g");
    writer.closePage();
    writer.closePlot();
    EXPECT_TRUE(testsupport::listTree(workDir()).empty());
    // The writer is still good for the next plot.
    const std::string path = newPath();
    ASSERT_TRUE(writer.openPlot(path, 21, 29.7, 1, 1, "mm", 0, "UTF-8", "K", "1"));
    writer.closePlot();
    EXPECT_TRUE(plotwritertest::unzipAccepts(path));
}

}  // namespace

namespace {

TEST_F(WriterLifecycle, WritersOnSeveralThreadsDoNotMeet) {
    // Each writer formats its own coordinates; the pages must not mix.
    auto draw = [](const std::string& path, double offset) {
        DWFPlotFileWriter writer;
        writer.openPlot(path, 21, 29.7, 1, 1, "mm", 0, "UTF-8", "Kestra", "9.1");
        writer.openPage({});
        for (int i = 0; i < 2000; ++i) {
            writer.addLine(offset + i * 0.001, offset, 3, "");
            writer.addLine(offset + i * 0.001, offset + 1, 2, "");
        }
        writer.closePlot();
    };
    const std::string a = newPath(), b = newPath(), c = newPath();
    std::thread first(draw, a, 1.0), second(draw, b, 2.0);
    first.join();
    second.join();
    draw(c, 1.0);
    EXPECT_EQ(plotwritertest::pageStreams(a), plotwritertest::pageStreams(c));
    const auto lines = plotwritertest::decode(plotwritertest::pageStreams(b).at(0));
    ASSERT_EQ(lines.size(), 1 + 2 * 2000u);
    EXPECT_EQ(lines.back(), "Polyline 3999,2000 3999,3000");
}

}  // namespace
