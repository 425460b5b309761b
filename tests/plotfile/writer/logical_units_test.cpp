#include "plotfile/logical_units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <thread>
#include <vector>

namespace DWFPlotUnits {
namespace {

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

TEST(LogicalUnits, KnownValues) {
    struct Case {
        double value;
        int32_t logical;
    } const cases[] = {
        {2.0005, 2001},       // rounded to three decimals first
        {1.005, 1004},        // 1.005 * 1000.0 is just below 1005
        {0.0625, 62},         // exactly half-way: to the even decimal
        {0.1875, 188},
        {-0.0625, -62},
        {0, 0},
        {-0.0004, 0},
        {-2.0005, -2001},
        {21, 21000},
        {29.7, 29700},
        {2147483.647, 2147483647},
        {-2147483.648, -2147483647 - 1},
        {2147483.648, OutOfRange},
        {-2147483.649, OutOfRange},
        {1e300, OutOfRange},
        {-1e300, OutOfRange},
        {std::numeric_limits<double>::infinity(), OutOfRange},
        {std::numeric_limits<double>::quiet_NaN(), OutOfRange},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toLogicalUnits(c.value), c.logical) << c.value;
    }
}

TEST(LogicalUnits, TruncationTowardZeroWithRangeCheck) {
    EXPECT_EQ(truncateToInt32(0.57 * 10 / 0.01), 569);  // a page height of 0.57
    EXPECT_EQ(truncateToInt32(569.9999999), 569);
    EXPECT_EQ(truncateToInt32(-569.99), -569);
    EXPECT_EQ(truncateToInt32(2147483647.9), 2147483647);
    EXPECT_EQ(truncateToInt32(-2147483648.9), -2147483647 - 1);
    EXPECT_EQ(truncateToInt32(2147483648.0), OutOfRange);
    EXPECT_EQ(truncateToInt32(-2147483649.0), OutOfRange);
}

// A million values: random magnitudes, values next to the half-way points of
// the third decimal, and binary fractions that lie exactly on them (which
// "%.3f" rounds to even).
TEST(LogicalUnits, MillionValuesAgreeWithPrintfAndStrtod) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-8, 8);
    std::uniform_int_distribution<int64_t> thousandths(-2200000000LL, 2200000000LL);
    std::uniform_int_distribution<int64_t> sixteenths(-35000000LL, 35000000LL);
    for (int i = 0; i < 1000000; ++i) {
        double value = 0;
        switch (i % 4) {
            case 0:
            case 1:
                value = mantissa(random) * std::pow(10.0, exponent(random));
                break;
            case 2:
                value = (static_cast<double>(thousandths(random)) + 0.5) / 1000.0;
                value = std::nextafter(value, i % 8 == 2 ? 0.0 : value * 2);
                break;
            default:
                value = static_cast<double>(sixteenths(random)) / 16.0;
                break;
        }
        ASSERT_EQ(toLogicalUnits(value), expected(value)) << value;
    }
}

TEST(LogicalUnits, WritersOnSeveralThreadsGetTheirOwnResults) {
    // With one shared scratch buffer, threads would read each other's text.
    auto run = [](double base, bool* ok) {
        for (int i = 0; i < 20000; ++i) {
            const double value = base + i * 0.001;
            if (toLogicalUnits(value) != expected(value)) {
                *ok = false;
            }
        }
    };
    bool ok[4] = {true, true, true, true};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back(run, 1000.0 * (t + 1), &ok[t]);
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (bool each : ok) {
        EXPECT_TRUE(each);
    }
}

}  // namespace
}  // namespace DWFPlotUnits
