#include "plotfile/logical_units.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <thread>
#include <vector>

namespace DWFPlotUnits {
namespace {

// The rule computed another way: the shortest-path conversions of <charconv>
// round exactly as "%.3f" does in the C locale but share no code with it.
int32_t expected(double value) {
    char text[400];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    double parsed = 0;
    std::from_chars(text, written.ptr, parsed);
    const double product = parsed * 1000.0;
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

TEST(LogicalUnits, MillionRandomValuesAcrossMagnitudes) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-8, 8);
    for (int i = 0; i < 1000000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
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
