#include "setup/SetupChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct RealCase {
    const char* name;
    const char* text;
    double value;
};

class LeadingRealTest : public ::testing::TestWithParam<RealCase> {};

TEST_P(LeadingRealTest, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(LeadingReal(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingRealTest,
    ::testing::Values(RealCase{"WholeNumber", "10", 10}, RealCase{"DecimalFraction", "2.5", 2.5},
                      RealCase{"MinusSign", "-5", -5}, RealCase{"PlusSign", "+7", 7},
                      RealCase{"LeadingBlanksSkipped", "  12", 12},
                      RealCase{"TrailingTextIgnored", "12abc", 12},
                      RealCase{"TrailingPoint", "5.", 5}, RealCase{"LeadingPoint", ".5", 0.5},
                      RealCase{"SecondPointEndsTheNumber", "3.5.1", 3.5},
                      RealCase{"Exponent", "1e3", 1000},
                      RealCase{"UpperCaseNegativeExponent", "2E-1x", 0.2},
                      RealCase{"ExponentWithoutDigitsIgnored", "4e", 4},
                      RealCase{"SignedExponentWithoutDigitsIgnored", "4e+", 4},
                      RealCase{"CommaEndsTheNumber", "2,5", 2}, RealCase{"Zero", "0", 0},
                      RealCase{"EmptyIsZero", "", 0}, RealCase{"LettersAreZero", "abc", 0},
                      RealCase{"SignAloneIsZero", "-", 0}, RealCase{"PointAloneIsZero", ".", 0},
                      RealCase{"UnderflowIsZero", "1e-400", 0}),
    [](const ::testing::TestParamInfo<RealCase>& info) { return std::string(info.param.name); });

TEST(LeadingReal, OverflowIsInfinite) {
    EXPECT_EQ(LeadingReal("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingReal("-1e999"), -std::numeric_limits<double>::infinity());
}

struct IntegerCase {
    const char* name;
    const char* text;
    std::int32_t value;
};

class LeadingIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(LeadingIntegerTest, ReadsTheLeadingInteger) {
    EXPECT_EQ(LeadingInteger(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingIntegerTest,
    ::testing::Values(
        IntegerCase{"TrailingTextIgnored", "12abc", 12}, IntegerCase{"LettersAreZero", "abc", 0},
        IntegerCase{"MinusSign", "-5", -5}, IntegerCase{"PlusSign", "+5", 5},
        IntegerCase{"LeadingBlankSkipped", " 42", 42}, IntegerCase{"PointEndsTheNumber", "2.5", 2},
        IntegerCase{"EmptyIsZero", "", 0}, IntegerCase{"SignAloneIsZero", "-", 0},
        IntegerCase{"Zero", "0", 0}, IntegerCase{"LargestInt32", "2147483647", 2147483647},
        IntegerCase{"OverflowClampsToMaximum", "2147483648", 2147483647},
        IntegerCase{"LongOverflowClampsToMaximum", "99999999999999999999999", 2147483647},
        IntegerCase{"SmallestInt32", "-2147483648", -2147483647 - 1},
        IntegerCase{"NegativeOverflowClampsToMinimum", "-99999999999999999999", -2147483647 - 1}),
    [](const ::testing::TestParamInfo<IntegerCase>& info) { return std::string(info.param.name); });

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
