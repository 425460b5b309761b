// A host that sets a locale with a decimal comma (as GUI toolkits do) must
// still write and read numbers with the C locale's point: records, logical
// units and the scale properties.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "plot_writer_test_support.h"
#include "plotfile/logical_units.h"
#include "plotfile/reader_plot_properties.h"
#include "plotfile/records/user_data_records.h"

namespace {

using namespace std::string_literals;
using namespace DWFPlotRecords;

class HostLocale : public plotwritertest::PlotWriterTest {
protected:
    // Compiles de_DE into the work directory; the machine need not have it.
    void SetUp() override {
        PlotWriterTest::SetUp();
        const std::string command = "localedef -i de_DE -f UTF-8 '" + workDir() + "de_DE.UTF-8' >/dev/null 2>&1";
        if (std::system(command.c_str()) > 1) GTEST_SKIP() << "localedef cannot make de_DE here";
        setenv("LOCPATH", workDir().c_str(), 1);
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE not loadable";
    }
    void TearDown() override {
        std::setlocale(LC_NUMERIC, "C");
        unsetenv("LOCPATH");
        PlotWriterTest::TearDown();
    }
};

TEST_F(HostLocale, RecordsAndCoordinatesKeepTheDecimalPoint) {
    ASSERT_EQ(std::localeconv()->decimal_point, ","s);

    TextRecord text;
    text.x = 100.25;
    text.y = -0.5;
    text.height = 0.18;
    text.fontName = "Arial";
    text.angle = 12.5;
    text.lineCount = 2;
    EXPECT_EQ(formatText(text), "100.250 -0.500 0.180 \"Arial\" 0 0 0 12.500 2 \0"s);
    const auto textBack = parseText(formatText(text));
    ASSERT_TRUE(textBack);
    EXPECT_EQ(textBack->x, 100.25);
    EXPECT_EQ(textBack->angle, 12.5);

    SymbolRecord symbol;
    symbol.x = 1.5;
    symbol.scale = 2.25;
    symbol.name = "Tree";
    EXPECT_EQ(formatSymbol(symbol), "1.500 0.000 2.25 0.00 0 0 Tree \"\"\0"s);
    const auto symbolBack = parseSymbol("1.500 0.000 2.25 0.00 0 0 Tree \"\"\0"s);
    ASSERT_TRUE(symbolBack);
    EXPECT_EQ(symbolBack->x, 1.5);
    EXPECT_EQ(symbolBack->scale, 2.25);

    EXPECT_EQ(DWFPlotUnits::toLogicalUnits(2.0005), 2001);
    EXPECT_EQ(DWFPlotUnits::toLogicalUnits(-12.25), -12250);
}

TEST_F(HostLocale, ScalePropertiesKeepTheDecimalPoint) {
    const std::string path = newPath();
    {
        DWFPlotFileWriter writer;
        ASSERT_TRUE(writer.openPlot(path, 21, 29.7, 2.5, 0.125, "mm", 0, "UTF-8", "Kestra", "9.1"));
    }
    std::string manifest;
    for (const auto& entry : plotwritertest::readPackage(path)) {
        if (entry.name == "manifest.xml") manifest = entry.content;
    }
    EXPECT_NE(manifest.find("name=\"XScale\" value=\"2.5\""), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("name=\"YScale\" value=\"0.125\""), std::string::npos) << manifest;
    EXPECT_EQ(DWFPlotReader::scaleValue(DWFUtil::String::fromUtf8("0.125")), 0.125);
}

}  // namespace
