// Packages through their life: openPlot, openPage, closePage, closePlot and destruction in order and out of
// order; and plots whose files cannot all be written, which are not left behind half-written (closePlot removes
// the package and throws WriteFailed, destruction removes it silently, a second openPlot reports the failure).
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "dwfplot/DwfResult.h"
#include "plot_writer_test_support.h"
#include "plotfile/logical_units.h"
#include "plotfile/reader_plot_properties.h"
#include "plotfile/records/user_data_records.h"
#include "support/file_size_limit.h"
#include "support/thrown_by.h"
#include "w2d/string.h"

namespace {

using plotwritertest::addLines;
using plotwritertest::Lines;
using plotwritertest::openA4;
using testsupport::readArchive;
using plotwritertest::unzipAccepts;

using WriterLifecycle = plotwritertest::PlotWriterTest;

// "name=value" of every manifest property, in order.
Lines properties(const std::string& path) {
    const std::string manifest = testsupport::entryContent(path, "manifest.xml");
    const std::regex property("<dwf:Property name=\"([^\"]*)\" value=\"([^\"]*)\"");
    Lines result;
    for (auto it = std::sregex_iterator(manifest.begin(), manifest.end(), property); it != std::sregex_iterator();
         ++it) {
        result.push_back((*it)[1].str() + "=" + (*it)[2].str());
    }
    return result;
}

// The entries' names without the section folder and the graphics' identifier: "w2d", "descriptor.xml".
Lines kinds(const std::vector<testsupport::Entry>& entries) {
    const std::regex page("^dwf\\.ePlot_[0-9A-F]{32}\\\\([0-9A-F]{32}\\.)?");
    Lines result;
    for (const auto& e : entries) result.push_back(std::regex_replace(e.name, page, ""));
    return result;
}

TEST_F(WriterLifecycle, PropertiesInOrderAndInchScales) {
    const std::tuple<std::string, double, double, std::string, std::string> cases[] = {
        {"I", 39.37, 78.74, "1", "2"}, {"i", 39.37, 2.5, "39.37", "2.5"}, {"In", 0.1, 3, "0.1", "3"}};
    for (const auto& [units, x, y, xText, yText] : cases) {
        const std::string path = newPath();
        {
            DWFPlotFileWriter writer;
            ASSERT_TRUE(writer.openPlot(path, 21, 29.7, x, y, units, 7, "ISO8859_1", "Kestra", "9.1"));
        }
        EXPECT_EQ(properties(path),
                  (Lines{"DwfToolkitVersion=Read Only", "PlotFileVersion=1.2", "Encoding=ISO8859_1", "XScale=" + xText,
                         "YScale=" + yText, "Units=" + units, "DwfFrameworkVersion=2.1", "SourceProductVendor=TALMOR",
                         "SourceProductName=Kestra", "SourceProductVersion=9.1", "DwfProductVendor=TALMOR",
                         "DwfProductVersion=9.1", "DwfToolkitVersion=6.0.1.15"}))
            << units;
        EXPECT_TRUE(unzipAccepts(path));
    }
}

TEST_F(WriterLifecycle, OutOfOrderCalls) {
    const std::string path = newPath();
    {
        DWFPlotFileWriter writer;
        std::vector<PenDetail> pens = threePens();
        writer.setPenDetails(pens);
        ASSERT_TRUE(openA4(writer, path));
        writer.openPage({});
        writer.setPen(1);
        addLines(writer, {{0, 0, 3, "g"}, {1, 0, 2, "g"}});
        writer.openPage({});  // stores page 1 first
        addLines(writer, {{0, 1, 3, "h"}, {1, 1, 2, "h"}});
        writer.closePage();
        addLines(writer, {{5, 5, 3, "ignored"}, {6, 6, 2, "ignored"}});  // no page open
        writer.closePage();
        writer.closePlot();
    }
    const auto entries = readArchive(path);
    ASSERT_EQ(kinds(entries), (Lines{"w2d", "descriptor.xml", "w2d", "descriptor.xml", "manifest.xml"}));
    EXPECT_NE(entries[3].content.find("name=\"Page 2\""), std::string::npos);
    // The next page begins with the pen's record, colour and weight.
    EXPECT_EQ(plotwritertest::decode(entries[2].content),
              (Lines{"Viewport Clip contours=1 0,0 0,29700 21000,29700 21000,0",
                     "UserData Pen '\\x01\\x00\\x00\\x00'", "UserData Group 'h\\x00'", "Color 255,0,0,255",
                     "LineWeight 35", "LineStyle defined=0x38 join=2 start=2 end=2", "Polyline 0,1000 1000,1000"}));
    EXPECT_TRUE(unzipAccepts(path));
}

TEST_F(WriterLifecycle, PagesAndDestructionWithAPageOpen) {
    const std::string path = newPath();
    {
        DWFPlotFileWriter writer;
        ASSERT_TRUE(openA4(writer, path));
        writer.openPage({});
        writer.closePage();
        writer.openPage({});
        addLines(writer, {{0, 0, 3, "g"}, {1, 1, 2, "g"}});
    }
    const auto entries = readArchive(path);
    // The open page: a descriptor without graphics.
    ASSERT_EQ(kinds(entries), (Lines{"w2d", "descriptor.xml", "descriptor.xml", "manifest.xml"}));
    EXPECT_EQ(entries[2].content.find("GraphicResource"), std::string::npos);
    // Nothing drawn: the clip waits for a drawable that never comes.
    EXPECT_EQ(entries[0].content, "(W2D V06.00)(EndOfDWF)\r\n");
    const std::string& descriptor = entries[1].content;
    for (const char* attribute : {"name=\"Page 1\"", "show=\"false\"", "units=\"mm\"", "width=\"210\"",
                                  "height=\"297\"", "clip=\"0 0 210 297\"", "GraphicResource"}) {
        EXPECT_NE(descriptor.find(attribute), std::string::npos) << attribute;
    }
    EXPECT_TRUE(std::regex_search(
        descriptor, std::regex("transform=\"0\\.01[0-9]* 0 0 0 0 0\\.01[0-9]* 0 0 0 0 1 0 0 0 0 1\"")))
        << descriptor;
    EXPECT_TRUE(unzipAccepts(path));
}

TEST_F(WriterLifecycle, AFailedOpenLeavesNoFileAndASecondOpenFinishesTheFirst) {
    const std::string first = newPath(), second = newPath();
    DWFPlotFileWriter writer;
    EXPECT_FALSE(openA4(writer, workDir() + "missing/plot.dwf"));
    EXPECT_FALSE(openA4(writer, workDir()));
    // Nothing open: nothing opens, nothing is written, no file is left.
    writer.openPage({"1 \"early\" 1 1"});
    addLines(writer, {{0, 0, 3, "g"}, {1, 1, 2, "g"}});
    writer.addTable("t");
    writer.closePage();
    writer.closePlot();
    EXPECT_TRUE(testsupport::listTree(workDir()).empty());
    // The writer is still good for the next plots.
    ASSERT_TRUE(openA4(writer, first));
    writer.openPage({});
    ASSERT_TRUE(openA4(writer, second));
    writer.openPage({});
    writer.closePlot();
    EXPECT_EQ(kinds(readArchive(first)), (Lines{"w2d", "descriptor.xml", "manifest.xml"}));
    const auto entries = readArchive(second);
    ASSERT_EQ(kinds(entries), (Lines{"w2d", "descriptor.xml", "manifest.xml"}));
    EXPECT_NE(entries[1].content.find("name=\"Page 1\""), std::string::npos);  // counting restarts
    EXPECT_TRUE(unzipAccepts(first) && unzipAccepts(second));
}

void drawPage(DWFPlotFileWriter& writer) {
    writer.openPage({});
    for (int i = 0; i < 200; ++i) writer.addLine(i, i % 7, i % 2 == 0 ? 3 : 2, "g" + std::to_string(i));
    writer.closePage();
}

// True when closePlot throws WriteFailed.
bool closeFails(DWFPlotFileWriter& writer) {
    return testsupport::thrownBy([&] { writer.closePlot(); }) == DWF::DwfResult::WriteFailed;
}

using WriterWriteFailure = testsupport::TempDirTest;

TEST_F(WriterWriteFailure, AFailedWriteRemovesThePackage) {
    for (const std::string ending : {"closePlot", "openPlot of the next plot", "destruction"}) {
        SCOPED_TRACE(ending);
        const std::string path = workDir() + "full.dwf", next = workDir() + "next.dwf";
        {
            DWFPlotFileWriter writer;
            // Room for the package's header, not for the pages.
            testsupport::FileSizeLimit limit(100);
            ASSERT_TRUE(openA4(writer, path));
            drawPage(writer);
            drawPage(writer);
            // The host is told of the failure, if not at destruction.
            EXPECT_TRUE(ending == "closePlot" ? closeFails(writer) : ending == "destruction" || !openA4(writer, next));
        }
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_FALSE(std::filesystem::exists(next));
    }
}

// Without a temporary directory the pages would have no stream and the package no graphics a reader can replay:
// openPlot refuses at once. A directory removed while the plot is drawn fails the plot at closePlot.
TEST_F(WriterWriteFailure, APageWithoutItsStreamFailsThePlot) {
    const std::string path = workDir() + "nostream.dwf";
    DWFPlotFileWriter writer;
    ::setenv("TMPDIR", (workDir() + "missing/").c_str(), 1);
    EXPECT_FALSE(openA4(writer, path));
    ::setenv("TMPDIR", tempDir().c_str(), 1);
    EXPECT_FALSE(std::filesystem::exists(path));

    ASSERT_TRUE(openA4(writer, path));
    for (const auto& entry : std::filesystem::directory_iterator(tempDir())) std::filesystem::remove_all(entry);
    drawPage(writer);
    EXPECT_TRUE(closeFails(writer));
    EXPECT_FALSE(std::filesystem::exists(path));

    // The writer is ready for the next plot, which succeeds.
    ASSERT_TRUE(openA4(writer, path));
    drawPage(writer);
    EXPECT_NO_THROW(writer.closePlot());
    EXPECT_TRUE(std::filesystem::exists(path));
}

// A string the page stream cannot carry would end the page on reading: the plot fails instead of being
// reported as written.
TEST_F(WriterWriteFailure, ATextLineBeyondTheStringLimitFailsThePlot) {
    const std::string path = workDir() + "long.dwf";
    const std::wstring line(WT_String::Maximum_Length + 1, L'x');
    DWFPlotFileWriter writer;
    ASSERT_TRUE(openA4(writer, path));
    writer.openPage({});
    writer.addText(0, 0, PlotFont(), 0, line.c_str(), 1, 1, 10, 2, 0.25, "g");
    writer.closePage();
    EXPECT_TRUE(closeFails(writer));
    EXPECT_FALSE(std::filesystem::exists(path));
}

// A host that sets a decimal-comma locale (as GUI toolkits do) still gets the C locale's point in records,
// logical units and the scale properties. de_DE is compiled into the work directory: the machine need not have it.
using HostLocale = plotwritertest::PlotWriterTest;

TEST_F(HostLocale, NumbersKeepTheDecimalPointInACommaLocale) {
    const std::string command = "localedef -i de_DE -f UTF-8 '" + workDir() + "de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) > 1) GTEST_SKIP() << "localedef cannot make de_DE here";
    setenv("LOCPATH", workDir().c_str(), 1);
    struct Restore {
        ~Restore() { std::setlocale(LC_NUMERIC, "C"), unsetenv("LOCPATH"); }
    } restore;
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE not loadable";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    using namespace DWFPlotRecords;
    using namespace std::string_literals;
    TextRecord text;
    text.x = 100.25, text.y = -0.5, text.height = 0.18, text.fontName = "Arial", text.angle = 12.5;
    text.lineCount = 2;
    EXPECT_EQ(formatText(text), "100.250 -0.500 0.180 \"Arial\" 0 0 0 12.500 2 \0"s);
    ASSERT_TRUE(parseText(formatText(text)));
    EXPECT_EQ(parseText(formatText(text))->angle, 12.5);
    const auto symbol = parseSymbol("1.500 0.000 2.25 0.00 0 0 Tree \"\"\0"s);
    ASSERT_TRUE(symbol);
    EXPECT_EQ(symbol->scale, 2.25);
    EXPECT_EQ(DWFPlotUnits::toLogicalUnits(2.0005), 2001);

    const std::string path = newPath();
    {
        DWFPlotFileWriter writer;
        ASSERT_TRUE(writer.openPlot(path, 21, 29.7, 2.5, 0.125, "mm", 0, "UTF-8", "Kestra", "9.1"));
    }
    const std::string manifest = testsupport::entryContent(path, "manifest.xml");
    EXPECT_NE(manifest.find("name=\"XScale\" value=\"2.5\""), std::string::npos) << manifest;
    EXPECT_EQ(DWFPlotReader::scaleValue(DWFUtil::String::fromUtf8("0.125")), 0.125);
}

}  // namespace
