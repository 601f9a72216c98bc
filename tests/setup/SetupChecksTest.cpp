#include "setup/SetupChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct LimitCase {
    const char* name;
    std::int32_t divisor, pixels, limit;
};

class AveragingLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(AveragingLimitTest, BoundsByDivisorAndBuffer) {
    EXPECT_EQ(AveragingLimit(GetParam().divisor, GetParam().pixels), GetParam().limit);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, AveragingLimitTest,
    ::testing::Values(
        // 2048 pixels: the buffer allows 2^26 / 2048 = 32768 scans, so v < 32769.
        LimitCase{"BufferDecidesFor2048Pixels", 1, 2048, 32769},
        LimitCase{"DivisorDecidesFor2048Pixels", 64, 2048, 16384},
        LimitCase{"LargestDivisorAllowsOne", 1048576, 2048, 1},
        LimitCase{"DivisorBeyondRangeAllowsNone", 2000000, 2048, 0},
        // No divisor read (0) or a negative one counts as 1.
        LimitCase{"ZeroDivisorCountsAsOne", 0, 2048, 32769},
        LimitCase{"NegativeDivisorCountsAsOne", -3, 2048, 32769},
        // Few pixels: the divisor decides; no pixels count as one.
        LimitCase{"FewPixelsDivisorDecides", 1, 16, 1048576},
        LimitCase{"ZeroPixelsCountAsOne", 1, 0, 1048576},
        LimitCase{"NegativePixelsCountAsOne", 1, -1, 1048576},
        LimitCase{"BufferDecidesFor8192Pixels", 1, 8192, 8193},
        LimitCase{"HugePixelCountAllowsOne", 1, 2147483647, 1}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

TEST(AveragingRangeText, ShowsTheDeviceRange) {
    EXPECT_EQ(AveragingRangeText(2048, true), "(1-32)");
    EXPECT_EQ(AveragingRangeText(3000, true), "(1-21)");
    EXPECT_EQ(AveragingRangeText(100000, true), "(1-0)");
    EXPECT_EQ(AveragingRangeText(2048, false), "(1- ? )");
    EXPECT_EQ(AveragingRangeText(0, true), "(1- ? )");
    EXPECT_EQ(AveragingRangeText(-5, true), "(1- ? )");
}

} // namespace
