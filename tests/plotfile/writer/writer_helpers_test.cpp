// The pieces the writer is built from: pen attributes, the line buffer, the
// circle test and the text box.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plotfile/pending_line.h"
#include "plotfile/symbol_geometry.h"
#include "plotfile/text_bounds.h"
#include "plotfile/writer_pens.h"

namespace DWFPlotWriter {
namespace {

TEST(WriterPens, TableEntriesAndNumbersOutsideTheTable) {
    const std::vector<PenDetail> pens = {{0x1FF, 0x100, -1, 0.35}, {10, 20, 30, 0.005}, {1, 2, 3, 1e12}};
    struct Case {
        int pen;
        WT_RGBA32 rgba;
        int32_t weight;
    } const cases[] = {
        {0, {255, 0, 255, 255}, 35},  // low 8 bits of each component
        {1, {10, 20, 30, 255}, 0},    // 0.005 mm is less than a unit
        {2, {1, 2, 3, 255}, INT32_MIN},  // too wide for 32 bits
        {3, {255, 0, 255, 255}, 35},  // beyond the table: entry 0
        {-1, {255, 0, 255, 255}, 35},
        {INT32_MIN, {255, 0, 255, 255}, 35},
    };
    for (const auto& c : cases) {
        const PenAttributes a = penAttributes(pens, c.pen);
        EXPECT_EQ(a.color.rgba(), c.rgba) << c.pen;
        EXPECT_EQ(a.color.index(), -1);
        EXPECT_EQ(a.weight.weight_value(), c.weight) << c.pen;
    }
    const PenAttributes none = penAttributes({}, 4);
    EXPECT_EQ(none.color.rgba(), WT_RGBA32(0, 0, 0, 255));
    EXPECT_EQ(none.weight.weight_value(), 0);
}

TEST(PendingLine, DrawableLinesAndContinuation) {
    PendingLine line;
    EXPECT_FALSE(line.drawable());
    line.append({5, 5}, "g");
    EXPECT_FALSE(line.drawable());
    EXPECT_TRUE(line.continuesAt({5, 5}, "g"));
    EXPECT_FALSE(line.continuesAt({5, 5}, "h"));
    EXPECT_FALSE(line.continuesAt({5, 6}, "g"));
    line.append({5, 5}, "h");
    EXPECT_FALSE(line.drawable());  // all one point
    line.append({6, 5}, "h");
    EXPECT_TRUE(line.drawable());
    EXPECT_EQ(line.group(), "g");
    line.clear();
    EXPECT_TRUE(line.empty());
}

TEST(PendingLine, HandsItsPointsOverAndStartsAfresh) {
    PendingLine line;
    line.append({1, 1}, "first");
    line.append({2, 2}, "middle");
    line.append({3, 3}, "last");
    EXPECT_TRUE(line.continuesAt({3, 3}, "last"));
    EXPECT_FALSE(line.continuesAt({3, 3}, "middle"));
    EXPECT_EQ(line.takePoints(), (std::vector<WT_Logical_Point>{{1, 1}, {2, 2}, {3, 3}}));
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(line.continuesAt({3, 3}, "last"));
    line.append({4, 4}, "next");
    line.append({5, 5}, "next");
    EXPECT_EQ(line.group(), "next");
    EXPECT_EQ(line.points(), (std::vector<WT_Logical_Point>{{4, 4}, {5, 5}}));
}

std::vector<PlottingPoint> ring(int n, double cx, double cy, double r) {
    std::vector<PlottingPoint> points;
    for (int i = 0; i < n; ++i) {
        points.emplace_back(cx + r * std::cos(2 * M_PI * i / n), cy + r * std::sin(2 * M_PI * i / n));
    }
    return points;
}

TEST(SymbolGeometry, CircleTest) {
    const auto found = sampledCircle(ring(36, 3, -2, 5));
    ASSERT_TRUE(found);
    EXPECT_NEAR(found->centre.x, 3, 1e-9);
    EXPECT_NEAR(found->centre.y, -2, 1e-9);
    EXPECT_NEAR(found->radius, 5, 1e-9);
    EXPECT_TRUE(sampledCircle(ring(21, 0, 0, 1)));
    EXPECT_FALSE(sampledCircle(ring(20, 0, 0, 1)));

    auto bumped = ring(36, 0, 0, 5);
    bumped[5].x += 0.02;  // one point off the circle
    EXPECT_FALSE(sampledCircle(bumped));
    bumped[5].x -= 0.015;  // within 0.01 of the radius
    EXPECT_TRUE(sampledCircle(bumped));

    // Points 0, n/3 and 2n/3 on one line: the origin stands in as centre.
    std::vector<PlottingPoint> line;
    for (int i = 0; i < 30; ++i) line.emplace_back(i, 0);
    EXPECT_FALSE(sampledCircle(line));
    auto nan = ring(36, 0, 0, 5);
    nan[7].y = std::nan("");
    EXPECT_FALSE(sampledCircle(nan));
}

TEST(SymbolGeometry, PlacementScalesRotatesAndMoves) {
    const SymbolPlacement placement(10, 20, 2, 90);
    const PagePoint p = placement.map(1, 0);
    EXPECT_NEAR(p.x, 10, 1e-5);  // pi is 3.14159 here
    EXPECT_NEAR(p.y, 22, 1e-9);
    const PagePoint q = SymbolPlacement(0, 0, 1, 0).map(3, 4);
    EXPECT_EQ(q.x, 3);
    EXPECT_EQ(q.y, 4);
}

TEST(TextBounds, BoxAroundOneLine) {
    const auto flat = textBounds(100, 50, 10, 2, 0.5, 0);
    const double expected[4][2] = {{100, 49.5}, {110, 49.5}, {110, 51.5}, {100, 51.5}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(flat[i].x, expected[i][0], 1e-5) << i;
        EXPECT_NEAR(flat[i].y, expected[i][1], 1e-5) << i;
    }
    const auto upright = textBounds(0, 0, 10, 2, 0.5, 90);
    const double turned[4][2] = {{0.5, 0}, {0.5, 10}, {-1.5, 10}, {-1.5, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(upright[i].x, turned[i][0], 1e-4) << i;
        EXPECT_NEAR(upright[i].y, turned[i][1], 1e-4) << i;
    }
}

}  // namespace
}  // namespace DWFPlotWriter
