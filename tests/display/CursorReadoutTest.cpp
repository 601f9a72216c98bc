#include "display/CursorReadout.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// Series as the set-up leaves them for pixel count p, y = 10 × index in series 0 and
// -(10 × index) in series 1 so each reading names its point.
struct Chart {
    std::int32_t p;
    ChartSeries s0, s1;
    std::vector<double> ch1;

    explicit Chart(std::int32_t pixels) : p(pixels), ch1(pixels + 1, 0.0) {
        s0.appendPoints(p + 2);
        s1.appendPoints(p + 2);
        for (std::int32_t k = 0; k < p + 2; ++k) {
            s0.y[k] = 10.0 * k;
            s1.y[k] = -10.0 * k;
        }
    }

    std::optional<CursorReading> pixels(double x) const {
        return ShowCursorValues(x, false, p, 0, 0, ch1, s0, s1);
    }
    std::optional<CursorReading> nm(double x, double lo, double hi) const {
        return ShowCursorValues(x, true, p, lo, hi, ch1, s0, s1);
    }
};

TEST(RoundHalfEven, HalvesGoToEvenNeighbour) {
    const std::vector<std::pair<double, double>> cases = {
        {2.5, 2.0}, {3.5, 4.0}, {-2.5, -2.0}, {-0.5, 0.0}, {0.5, 0.0}, {1.49, 1.0}, {-0.6, -1.0}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(RoundHalfEven(in), out) << in;
}

TEST(ShowCursorValues, PixelNumbers) {
    Chart c(2048);
    struct Case {
        double axisX;
        double x;
        int point;
    };
    const std::vector<Case> cases = {
        {100.37, 100.37, 100},  {100.5, 100.5, 100},    {101.5, 101.5, 102}, {-0.4, -0.4, 0},
        {2047.4, 2047.4, 2047}, {1500.0, 1500.0, 1500}, // beyond the two-channel axis end
    };
    for (const Case& k : cases) {
        const auto r = c.pixels(k.axisX);
        ASSERT_TRUE(r) << k.axisX;
        EXPECT_DOUBLE_EQ(r->x, k.x);
        EXPECT_EQ(r->y0, 10.0 * k.point) << k.axisX;
        ASSERT_TRUE(r->y1);
        EXPECT_EQ(*r->y1, -10.0 * k.point);
    }
}

TEST(ShowCursorValues, PixelNumbersOutsideChangesNothing) {
    Chart c(2048);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double x : {-0.6, -1.0, 2048.0, 2047.6, 1e300, nan})
        EXPECT_FALSE(c.pixels(x)) << x;
}

TEST(ShowCursorValues, PixelNumbersHiddenChannelReadsHiddenValue) {
    Chart c(64);
    c.s1.y[5] = -0.001;
    const auto r = c.pixels(5.2);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r->y1, -0.001);
}

TEST(ShowCursorValues, PixelNumbersWithoutSetupChangesNothing) {
    const std::vector<double> table(65, 0.0);
    const ChartSeries empty;
    EXPECT_FALSE(ShowCursorValues(10.0, false, 64, 0, 0, table, empty, empty));
}

// Channel 1 rises 0.17 nm per pixel through 499.95 at index 1233 and 500.12 at index 1234.
class NanometreReadout : public ::testing::Test {
protected:
    Chart c{2048};

    void SetUp() override {
        for (int i = 0; i <= 2048; ++i)
            c.ch1[i] = 499.95 + 0.17 * (i - 1233);
        c.ch1[1233] = 499.95;
        c.ch1[1234] = 500.12;
        for (int k = 0; k < 2048; ++k)
            c.s0.x[k] = c.ch1[k];
    }
};

TEST_F(NanometreReadout, ReadsPointBeforeFirstEntryAboveCursor) {
    for (int k = 0; k < 2048; ++k)
        c.s1.x[k] = c.ch1[k];
    const auto r = c.nm(500.001, 290.0, 640.0);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->x, 500.12);
    EXPECT_EQ(r->y0, 10.0 * 1233);
    ASSERT_TRUE(r->y1);
    EXPECT_EQ(*r->y1, -10.0 * 1233);
}

// Channel 2's wavelengths fall with the index: its value comes from its own nearest point.
TEST_F(NanometreReadout, ChannelTwoReadsItsNearestPointOnAFallingAxis) {
    for (int k = 0; k < 1024; ++k)
        c.s1.x[k] = 900.0 - 0.5 * k;
    const auto r = c.nm(500.001, 290.0, 900.0);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->y0, 10.0 * 1233);
    ASSERT_TRUE(r->y1);
    EXPECT_EQ(*r->y1, -10.0 * 800); // 900 − 0.5 × 800 = 500
}

TEST_F(NanometreReadout, ChannelTwoAbsentBeyondOnePixelOfItsPoints) {
    for (int k = 0; k < 1024; ++k)
        c.s1.x[k] = 900.0 - 0.5 * k; // down to 388.5
    const auto near = c.nm(388.2, 290.0, 900.0);
    ASSERT_TRUE(near);
    ASSERT_TRUE(near->y1);
    EXPECT_EQ(*near->y1, -10.0 * 1023);
    const auto far = c.nm(380.0, 290.0, 900.0);
    ASSERT_TRUE(far);
    EXPECT_FALSE(far->y1);
}

TEST_F(NanometreReadout, ChannelTwoWithoutWavelengthsIsAbsent) {
    const auto r = c.nm(500.0, 290.0, 640.0);
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->y1);
}

TEST_F(NanometreReadout, OutsideRangeChangesNothing) {
    for (double x : {290.4, 289.0, 640.0, 700.0})
        EXPECT_FALSE(c.nm(x, 290.0, 640.0)) << x;
}

TEST(ShowCursorValues, NanometreOpenCasesChangeNothing) {
    Chart c(8);
    struct Case {
        const char* name;
        std::vector<double> table;
        double x, lo, hi;
    };
    const std::vector<Case> cases = {
        {"cursor at or below 0", {1, 2, 3, 4, 5, 6, 7, 8, 9}, -0.2, -5.0, 100.0},
        {"no entry above the cursor", {1, 2, 3, 4, 5, 6, 7, 8, 9}, 20.0, -5.0, 100.0},
        {"entry above beyond index P only", {1, 2, 3, 4, 5, 6, 7, 8, 9, 50}, 20.0, -5.0, 100.0},
        {"first entry already above", {30, 31, 32, 33, 34, 35, 36, 37, 38}, 20.0, 10.0, 100.0},
        {"falling table", {9, 8, 7, 6, 5, 4, 3, 2, 1}, 5.0, 0.0, 100.0},
        {"empty table", {}, 5.0, 0.0, 100.0},
    };
    for (const Case& k : cases)
        EXPECT_FALSE(ShowCursorValues(k.x, true, 8, k.lo, k.hi, k.table, c.s0, c.s1)) << k.name;
}

} // namespace
