// Logical units, pen attributes and the circle test, at the edges the page stream does not reach.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

#include "plotfile/logical_units.h"
#include "plotfile/symbol_geometry.h"
#include "plotfile/writer_pens.h"
#include "plot_writer_test_support.h"

namespace {

using namespace DWFPlotUnits;
using namespace DWFPlotWriter;
using plotwritertest::ring;

// The rule as plot files have always been written: printf "%.3f", strtod.
int32_t expected(double value) {
    char text[400];
    std::snprintf(text, sizeof text, "%.3f", value);
    const double product = std::strtod(text, nullptr) * 1000.0;
    if (std::isnan(product) || product <= -2147483649.0 || product >= 2147483648.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(std::trunc(product));
}

TEST(LogicalUnits, KnownValuesRoundToThousandthsAndTruncateTowardZero) {
    const double infinity = std::numeric_limits<double>::infinity();
    const std::pair<double, int32_t> cases[] = {
        {2.0005, 2001},  // rounded to three decimals first
        {1.005, 1004},   // 1.005 * 1000.0 is just below 1005
        {0.0625, 62},    // exactly half-way: to the even decimal
        {0.1875, 188}, {-0.0625, -62}, {0, 0}, {-0.0004, 0}, {-2.0005, -2001}, {21, 21000}, {29.7, 29700},
        {2147483.647, 2147483647}, {-2147483.648, INT32_MIN}, {2147483.648, OutOfRange}, {-2147483.649, OutOfRange},
        {1e300, OutOfRange}, {-1e300, OutOfRange}, {infinity, OutOfRange}, {std::nan(""), OutOfRange},
    };
    for (const auto& [value, logical] : cases) EXPECT_EQ(toLogicalUnits(value), logical) << value;
    // Truncation toward zero with the range check.
    const std::pair<double, int32_t> truncated[] = {
        {0.57 * 10 / 0.01, 569},  // a page height of 0.57
        {569.9999999, 569}, {-569.99, -569}, {2147483647.9, 2147483647}, {-2147483648.9, INT32_MIN},
        {2147483648.0, OutOfRange}, {-2147483649.0, OutOfRange},
    };
    for (const auto& [value, logical] : truncated) EXPECT_EQ(truncateToInt32(value), logical) << value;
}

// A million values: random magnitudes, values next to the half-way points of the third decimal, and binary
// fractions that lie exactly on them (which "%.3f" rounds to even).
TEST(LogicalUnits, MillionValuesAgreeWithPrintfAndStrtod) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-8, 8);
    std::uniform_int_distribution<int64_t> thousandths(-2200000000LL, 2200000000LL);
    std::uniform_int_distribution<int64_t> sixteenths(-35000000LL, 35000000LL);
    for (int i = 0; i < 1000000; ++i) {
        double value;
        if (i % 4 < 2) {
            value = mantissa(random) * std::pow(10.0, exponent(random));
        } else if (i % 4 == 2) {
            value = (static_cast<double>(thousandths(random)) + 0.5) / 1000.0;
            value = std::nextafter(value, i % 8 == 2 ? 0.0 : value * 2);
        } else {
            value = static_cast<double>(sixteenths(random)) / 16.0;
        }
        ASSERT_EQ(toLogicalUnits(value), expected(value)) << value;
    }
}

// Low 8 bits of each component; 0.005 mm is less than a unit; 1e12 is too wide for 32 bits; pens beyond the
// table take entry 0.
TEST(WriterPens, TableEntriesAndNumbersOutsideTheTable) {
    const std::vector<PenDetail> pens = {{0x1FF, 0x100, -1, 0.35}, {10, 20, 30, 0.005}, {1, 2, 3, 1e12}};
    const std::tuple<int, WT_RGBA32, int32_t> cases[] = {
        {0, {255, 0, 255, 255}, 35}, {1, {10, 20, 30, 255}, 0}, {2, {1, 2, 3, 255}, INT32_MIN},
        {3, {255, 0, 255, 255}, 35}, {-1, {255, 0, 255, 255}, 35}, {INT32_MIN, {255, 0, 255, 255}, 35}};
    for (const auto& [pen, rgba, weight] : cases) {
        const PenAttributes a = penAttributes(pens, pen);
        EXPECT_EQ(a.color.rgba(), rgba) << pen;
        EXPECT_EQ(a.color.index(), -1);
        EXPECT_EQ(a.weight.weight_value(), weight) << pen;
    }
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

}  // namespace
