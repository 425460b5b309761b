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
long hostSlot(F member) {
    static_assert(sizeof(F) == 2 * sizeof(long), "Itanium member pointer");
    long words[2];
    std::memcpy(words, &member, sizeof words);
    return (words[0] - 1) / static_cast<long>(sizeof(void*)) - 1;
}

TEST(PublicHeaders, VirtualSlotsKeepTheHostOrder) {
    using W = PlotFileWriter;
    using R = PlotFileReader;
    using Contours = std::vector<std::vector<PlottingPoint>>;
    using D = double&;
    const long writer[] = {hostSlot(&W::openPlot),    hostSlot(&W::closePlot), hostSlot(&W::openPage),
                           hostSlot(&W::closePage),   hostSlot(&W::addLine),   hostSlot(&W::addTable),
                           hostSlot(&W::addPolygons), hostSlot(&W::addSymbol), hostSlot(&W::addText),
                           hostSlot(&W::addImage),    hostSlot(&W::setPen),    hostSlot(&W::setPenDetails)};
    const long reader[] = {
        hostSlot(&R::size), hostSlot(&R::position), hostSlot(&R::canRead), hostSlot(&R::openPlot),
        hostSlot(&R::getPageSize), hostSlot(&R::getPlotScale), hostSlot(&R::getPlotUnits),
        hostSlot(&R::getOperation), hostSlot(&R::getPen), hostSlot(&R::getGroupInfo),
        hostSlot(&R::getLine), hostSlot(&R::getTableString),
        hostSlot(static_cast<void (R::*)(Contours&, int&, std::string&)>(&R::getPolygons)),
        hostSlot(static_cast<void (R::*)(Contours&, int&)>(&R::getPolygons)),
        hostSlot(static_cast<void (R::*)(D, D, D, D, bool&, std::string&, std::string&)>(&R::getSymbol)),
        hostSlot(static_cast<void (R::*)(D, D, D, D, bool&, std::string&)>(&R::getSymbol)),
        hostSlot(static_cast<const wchar_t* (R::*)(D, D, PlotFont&, D, std::string&)>(&R::getText)),
        hostSlot(static_cast<const wchar_t* (R::*)(D, D, PlotFont&, D)>(&R::getText)),
        hostSlot(&R::getEncoding), hostSlot(&R::closePlot),
        hostSlot(static_cast<void (R::*)(D, D, D, D, IMAGE**, std::string&)>(&R::getImage)),
        hostSlot(static_cast<void (R::*)(D, D, D, D, IMAGE**)>(&R::getImage))};
    for (long slot = 1; slot <= 12; ++slot) EXPECT_EQ(writer[slot - 1], slot) << "writer slot " << slot;
    for (long slot = 1; slot <= 22; ++slot) EXPECT_EQ(reader[slot - 1], slot) << "reader slot " << slot;
}

}  // namespace
