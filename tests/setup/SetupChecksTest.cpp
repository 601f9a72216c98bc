#include "setup/SetupChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct RealCase {
    const char* text;
    double value;
};

class LeadingRealTest : public ::testing::TestWithParam<RealCase> {};

TEST_P(LeadingRealTest, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(LeadingReal(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingRealTest,
                         ::testing::Values(RealCase{"10", 10}, RealCase{"2.5", 2.5},
                                           RealCase{"-5", -5}, RealCase{"+7", 7},
                                           RealCase{"  12", 12}, RealCase{"12abc", 12},
                                           RealCase{"5.", 5}, RealCase{".5", 0.5},
                                           RealCase{"3.5.1", 3.5}, RealCase{"1e3", 1000},
                                           RealCase{"2E-1x", 0.2}, RealCase{"4e", 4},
                                           RealCase{"4e+", 4}, RealCase{"2,5", 2}, RealCase{"0", 0},
                                           RealCase{"", 0}, RealCase{"abc", 0}, RealCase{"-", 0},
                                           RealCase{".", 0}, RealCase{"1e-400", 0}));

TEST(LeadingReal, OverflowIsInfinite) {
    EXPECT_EQ(LeadingReal("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingReal("-1e999"), -std::numeric_limits<double>::infinity());
}

struct IntegerCase {
    const char* text;
    std::int32_t value;
};

class LeadingIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(LeadingIntegerTest, ReadsTheLeadingInteger) {
    EXPECT_EQ(LeadingInteger(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingIntegerTest,
    ::testing::Values(IntegerCase{"12abc", 12}, IntegerCase{"abc", 0}, IntegerCase{"-5", -5},
                      IntegerCase{"+5", 5}, IntegerCase{" 42", 42}, IntegerCase{"2.5", 2},
                      IntegerCase{"", 0}, IntegerCase{"-", 0}, IntegerCase{"0", 0},
                      IntegerCase{"2147483647", 2147483647}, IntegerCase{"2147483648", 2147483647},
                      IntegerCase{"99999999999999999999999", 2147483647},
                      IntegerCase{"-2147483648", -2147483647 - 1},
                      IntegerCase{"-99999999999999999999", -2147483647 - 1}));

struct LimitCase {
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
        LimitCase{1, 2048, 32769}, LimitCase{64, 2048, 16384}, LimitCase{1048576, 2048, 1},
        LimitCase{2000000, 2048, 0},
        // No divisor read (0) or a negative one counts as 1.
        LimitCase{0, 2048, 32769}, LimitCase{-3, 2048, 32769},
        // Few pixels: the divisor decides; no pixels count as one.
        LimitCase{1, 16, 1048576}, LimitCase{1, 0, 1048576}, LimitCase{1, -1, 1048576},
        LimitCase{1, 8192, 8193}, LimitCase{1, 2147483647, 1}));

TEST(AveragingRangeText, ShowsTheDeviceRange) {
    EXPECT_EQ(AveragingRangeText(2048, true), "(1-32)");
    EXPECT_EQ(AveragingRangeText(3000, true), "(1-21)");
    EXPECT_EQ(AveragingRangeText(100000, true), "(1-0)");
    EXPECT_EQ(AveragingRangeText(2048, false), "(1- ? )");
    EXPECT_EQ(AveragingRangeText(0, true), "(1- ? )");
    EXPECT_EQ(AveragingRangeText(-5, true), "(1- ? )");
}

} // namespace
