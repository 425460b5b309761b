// The public headers as a host compiles them (C++17, nothing from src/).
#include <gtest/gtest.h>

#include <cstring>

#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/DwfResult.h"
#include "dwfplot/PlotFile.h"

namespace {

// Under the Itanium C++ ABI a pointer to a virtual member holds 1 + the byte
// offset of its vtable entry; the destructor takes two entries (complete and
// deleting), so slot N of the host's table sits at entry N + 1.
template <typename F>
long vtableEntry(F member) {
    static_assert(sizeof(F) == 2 * sizeof(long), "Itanium member pointer");
    long words[2];
    std::memcpy(words, &member, sizeof words);
    return (words[0] - 1) / static_cast<long>(sizeof(void*));
}

TEST(PublicHeaders, WriterSlotsKeepTheHostOrder) {
    using W = PlotFileWriter;
    const long entries[] = {
        vtableEntry(&W::openPlot),  vtableEntry(&W::closePlot),   vtableEntry(&W::openPage),
        vtableEntry(&W::closePage), vtableEntry(&W::addLine),     vtableEntry(&W::addTable),
        vtableEntry(&W::addPolygons), vtableEntry(&W::addSymbol), vtableEntry(&W::addText),
        vtableEntry(&W::addImage),  vtableEntry(&W::setPen),      vtableEntry(&W::setPenDetails)};
    for (long slot = 1; slot <= 12; ++slot) EXPECT_EQ(entries[slot - 1], slot + 1) << "slot " << slot;
}

TEST(PublicHeaders, ReaderSlotsKeepTheHostOrder) {
    using R = PlotFileReader;
    using PolygonsWithGroup = void (R::*)(std::vector<std::vector<PlottingPoint>>&, int&, std::string&);
    using Polygons = void (R::*)(std::vector<std::vector<PlottingPoint>>&, int&);
    using SymbolWithGroup = void (R::*)(double&, double&, double&, double&, bool&, std::string&, std::string&);
    using Symbol = void (R::*)(double&, double&, double&, double&, bool&, std::string&);
    using TextWithGroup = const wchar_t* (R::*)(double&, double&, PlotFont&, double&, std::string&);
    using Text = const wchar_t* (R::*)(double&, double&, PlotFont&, double&);
    using ImageWithGroup = void (R::*)(double&, double&, double&, double&, IMAGE**, std::string&);
    using Image = void (R::*)(double&, double&, double&, double&, IMAGE**);
    const long entries[] = {vtableEntry(&R::size),
                            vtableEntry(&R::position),
                            vtableEntry(&R::canRead),
                            vtableEntry(&R::openPlot),
                            vtableEntry(&R::getPageSize),
                            vtableEntry(&R::getPlotScale),
                            vtableEntry(&R::getPlotUnits),
                            vtableEntry(&R::getOperation),
                            vtableEntry(&R::getPen),
                            vtableEntry(&R::getGroupInfo),
                            vtableEntry(&R::getLine),
                            vtableEntry(&R::getTableString),
                            vtableEntry(static_cast<PolygonsWithGroup>(&R::getPolygons)),
                            vtableEntry(static_cast<Polygons>(&R::getPolygons)),
                            vtableEntry(static_cast<SymbolWithGroup>(&R::getSymbol)),
                            vtableEntry(static_cast<Symbol>(&R::getSymbol)),
                            vtableEntry(static_cast<TextWithGroup>(&R::getText)),
                            vtableEntry(static_cast<Text>(&R::getText)),
                            vtableEntry(&R::getEncoding),
                            vtableEntry(&R::closePlot),
                            vtableEntry(static_cast<ImageWithGroup>(&R::getImage)),
                            vtableEntry(static_cast<Image>(&R::getImage))};
    for (long slot = 1; slot <= 22; ++slot) EXPECT_EQ(entries[slot - 1], slot + 1) << "slot " << slot;
}

TEST(PublicHeaders, OperationCodesKeepTheirValues) {
    const std::pair<Plt_Plot_Operation_T, int> codes[] = {
        {PLT_NEW_PAGE, 0}, {PLT_PLOT_OPENED, 1}, {PLT_PEN, 2},         {PLT_SYMBOL, 3},
        {PLT_TEXT, 4},     {PLT_LINE, 5},        {PLT_POLYGONS, 6},    {PLT_END_OF_PLOT, 7},
        {PLT_NONE, 8},     {PLT_IMAGE, 9},       {PLT_GROUP_OPTIONS, 10}, {PLT_TABLE, 11}};
    for (const auto& [code, value] : codes) EXPECT_EQ(static_cast<int>(code), value);
}

TEST(PublicHeaders, HostTypeDefaults) {
    const PlotFont font;
    EXPECT_EQ(font.name, "Default");
    EXPECT_DOUBLE_EQ(font.height, 0.18);
    EXPECT_TRUE(font.style.empty());
    EXPECT_FALSE(font.bold || font.italic || font.underline);
    const PenDetail pen;
    EXPECT_EQ(pen.red + pen.green + pen.blue, 0);
    EXPECT_EQ(pen.width, 0.0);
    const IMAGE image;
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.pixels, nullptr);
    const PlottingPoint point(1.5, -2, "g");
    EXPECT_EQ(point.group, "g");
}

TEST(PublicHeaders, ResultCodesAndNames) {
    EXPECT_EQ(DWF::DwfResult::Success, 0);
    EXPECT_EQ(DWF::DwfResult::XmlParseError, -9);
    EXPECT_EQ(DWF::DwfResult::OutOfMemory, -13);
    EXPECT_EQ(DWF::DwfResult::ValueNotSet, -27);
    EXPECT_STREQ(PLT_NOT_A_KESTRA_GENERATED_FILE, "PLT_NOT_A_KESTRA_GENERATED_FILE");
    EXPECT_STREQ(PLT_TEMP_PATH_ERROR, "PLT_TEMP_PATH_ERROR");
    EXPECT_STREQ(DWFPlotProperties::ReadOnlyMark, "Read Only");
    EXPECT_STREQ(DWFPlotProperties::CurrentPlotFileVersion, "1.2");
}

}  // namespace
