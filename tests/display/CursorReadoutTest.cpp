#include "display/CursorReadout.h"
#include "processing/WavelengthCalibration.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cmath>
#include <limits>

namespace {

// Series as the set-up leaves them for pixel count p of a two-channel device, y = 10 × index in
// series 0 and -(10 × index) in series 1 so each reading names its point.
struct Chart {
    std::int32_t p;
    ChartSeries s0, s1;
    std::vector<double> ch1, ch2;

    explicit Chart(std::int32_t pixels) : p(pixels), ch1(pixels + 1, 0.0), ch2(pixels + 1, 0.0) {
        s0.appendPoints(p + 2);
        s1.appendPoints(p + 2);
        for (std::int32_t k = 0; k < p + 2; ++k) {
            s0.y[k] = 10.0 * k;
            s1.y[k] = -10.0 * k;
        }
    }

    std::optional<CursorReading> pixels(double x) const {
        return ShowCursorValues({x, false, p, false, 0, 0, ch1, ch2}, s0, s1);
    }
    std::optional<CursorReading> nm(double x, double lo, double hi, bool single = false) const {
        return ShowCursorValues({x, true, p, single, lo, hi, ch1, ch2}, s0, s1);
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
        ASSERT_TRUE(r->y0);
        EXPECT_EQ(*r->y0, 10.0 * k.point) << k.axisX;
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
    ASSERT_TRUE(r->y1);
    EXPECT_EQ(*r->y1, -0.001);
}

TEST(ShowCursorValues, PixelNumbersWithoutSetupChangesNothing) {
    const std::vector<double> table(65, 0.0);
    const ChartSeries empty;
    EXPECT_FALSE(ShowCursorValues({10.0, false, 64, false, 0, 0, table, table}, empty, empty));
}

// Channel 1 of a two-channel device with 2048 pixels per channel rises 0.17 nm per pixel through
// 499.95 at index 1233 and 500.12 at index 1234.
class NanometreReadout : public ::testing::Test {
protected:
    Chart c{4096};

    void SetUp() override {
        for (int i = 0; i <= 4096; ++i)
            c.ch1[i] = 499.95 + 0.17 * (i - 1233);
        c.ch1[1233] = 499.95;
        c.ch1[1234] = 500.12;
    }
};

TEST_F(NanometreReadout, ReadsPointBeforeFirstEntryAboveCursor) {
    for (int k = 0; k < 2048; ++k)
        c.ch2[k] = c.ch1[k];
    const auto r = c.nm(500.001, 290.0, 640.0);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->x, 500.12);
    ASSERT_TRUE(r->y0);
    EXPECT_EQ(*r->y0, 10.0 * 1233);
    ASSERT_TRUE(r->y1);
    EXPECT_EQ(*r->y1, -10.0 * 1233);
}

// Channel 2's wavelengths fall with the index: its value comes from its own nearest point.
TEST_F(NanometreReadout, ChannelTwoReadsItsNearestPointOnAFallingAxis) {
    for (int k = 0; k < 1024; ++k)
        c.ch2[k] = 900.0 - 0.5 * k;
    const auto r = c.nm(500.001, 290.0, 900.0);
    ASSERT_TRUE(r);
    ASSERT_TRUE(r->y0);
    EXPECT_EQ(*r->y0, 10.0 * 1233);
    ASSERT_TRUE(r->y1);
    EXPECT_EQ(*r->y1, -10.0 * 800); // 900 − 0.5 × 800 = 500
}

TEST_F(NanometreReadout, ChannelTwoAbsentBeyondOnePixelOfItsPoints) {
    for (int k = 0; k < 1024; ++k)
        c.ch2[k] = 900.0 - 0.5 * k; // down to 388.5
    const auto near = c.nm(388.2, 290.0, 900.0);
    ASSERT_TRUE(near);
    ASSERT_TRUE(near->y1);
    EXPECT_EQ(*near->y1, -10.0 * 1023);
    const auto far = c.nm(380.0, 290.0, 900.0);
    ASSERT_TRUE(far);
    EXPECT_TRUE(far->y0);
    EXPECT_FALSE(far->y1);
}

TEST_F(NanometreReadout, ChannelTwoWithoutWavelengthsIsAbsent) {
    const auto r = c.nm(500.0, 290.0, 640.0);
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->y0);
    EXPECT_FALSE(r->y1);
}

// Channel 1 is read over its own 2048 points only, though its table runs on to index 4096.
TEST_F(NanometreReadout, ChannelOneAbsentBeyondItsOwnPoints) {
    for (int k = 0; k < 2048; ++k)
        c.ch2[k] = 900.0 + 0.1 * k;
    const double lastOfChannelOne = c.ch1[2047];
    const auto r = c.nm(950.0, 290.0, 1200.0);
    ASSERT_TRUE(r);
    ASSERT_GT(950.0, lastOfChannelOne);
    EXPECT_FALSE(r->y0);
    EXPECT_EQ(r->x, 950.0);
    ASSERT_TRUE(r->y1);
    EXPECT_EQ(*r->y1, -10.0 * 500);
}

// A one-channel device: channel 1 covers every pixel, channel 2 has no wavelengths.
TEST_F(NanometreReadout, OneChannelDeviceReadsAllPointsAndNoChannelTwo) {
    for (int k = 0; k <= 4096; ++k)
        c.ch2[k] = c.ch1[k];
    const auto r = c.nm(c.ch1[3000] + 0.01, 290.0, 1500.0, true);
    ASSERT_TRUE(r);
    ASSERT_TRUE(r->y0);
    EXPECT_EQ(*r->y0, 10.0 * 3000);
    EXPECT_FALSE(r->y1);
}

TEST_F(NanometreReadout, OutsideRangeChangesNothing) {
    for (double x : {290.4, 289.0, 640.0, 700.0})
        EXPECT_FALSE(c.nm(x, 290.0, 640.0)) << x;
}

// Channel-1 tables without a point before the cursor, on a one-channel device: the x text is
// the cursor itself and channel 1 has no value.
TEST(ShowCursorValues, NanometreOpenCasesReadNoChannelOne) {
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
    for (const Case& k : cases) {
        const auto r =
            ShowCursorValues({k.x, true, 8, true, k.lo, k.hi, k.table, k.table}, c.s0, c.s1);
        ASSERT_TRUE(r) << k.name;
        EXPECT_EQ(r->x, k.x) << k.name;
        EXPECT_FALSE(r->y0) << k.name;
        EXPECT_FALSE(r->y1) << k.name;
    }
}

// The shipped calibration of the two detector halves, read from its eight lines.
bool ReadCalibration(const char* name, std::array<double, 4>& ch1, std::array<double, 4>& ch2) {
    QFile file(QStringLiteral(HALVANE_SOURCE_DIR "/data/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (int line = 0; line < 8; ++line) {
        bool ok = false;
        const double value = file.readLine().trimmed().toDouble(&ok);
        if (!ok)
            return false;
        (line < 4 ? ch1 : ch2)[static_cast<std::size_t>(line % 4)] = value;
    }
    return true;
}

// The halves calibration in nanometres, standard build, 2048 pixels: channel 1 runs from 350 up
// to about 681 nm, channel 2 from 1000 down to about 681 nm, each over its 1024 points.
class HalvesReadout : public ::testing::Test {
protected:
    static constexpr std::int32_t P = 2048;
    WavelengthTables tables;
    std::vector<double> plotValues = std::vector<double>(P + P / 2 + 1, 0.0);
    ChartSeries s0, s1;

    void SetUp() override {
        std::array<double, 4> a{}, b{};
        ASSERT_TRUE(ReadCalibration("calibration-halves.ini", a, b));
        bool single = true;
        ComputeWavelengths(a, b, P, BuildKind::Standard, single, tables);
        ASSERT_FALSE(single);
        for (int k = 0; k < P; ++k)
            plotValues[k] = 100.0 + k;
        s0.appendPoints(P + 2);
        s1.appendPoints(P + 2);
        const ChartInputs in{P,
                             false,
                             true,
                             true,
                             true,
                             plotValues,
                             tables.Ch1Wavelengths,
                             tables.Ch2Wavelengths,
                             tables.WavelengthMin,
                             tables.WavelengthMax};
        FillChartSeries(in, s0, s1);
    }

    std::optional<CursorReading> at(double x) const {
        return ShowCursorValues({x, true, P, false, tables.WavelengthMin, tables.WavelengthMax,
                                 tables.Ch1Wavelengths, tables.Ch2Wavelengths},
                                s0, s1);
    }

    // The channel-2 pixel whose wavelength is nearest to x.
    std::size_t nearestChannelTwoPixel(double x) const {
        std::size_t best = 0;
        for (std::size_t j = 1; j < P / 2; ++j)
            if (std::abs(tables.Ch2Wavelengths[j] - x) < std::abs(tables.Ch2Wavelengths[best] - x))
                best = j;
        return best;
    }
};

TEST_F(HalvesReadout, ChannelTwoAloneOver850Nanometres) {
    for (double x : {850.0, 999.0, 700.0}) {
        const auto r = at(x);
        ASSERT_TRUE(r) << x;
        EXPECT_EQ(r->x, x);
        EXPECT_FALSE(r->y0) << x;
        ASSERT_TRUE(r->y1) << x;
        const std::size_t j = nearestChannelTwoPixel(x);
        EXPECT_NEAR(tables.Ch2Wavelengths[j], x, 0.35) << x;
        EXPECT_EQ(*r->y1, plotValues[P / 2 + j]) << x;
    }
}

TEST_F(HalvesReadout, ChannelOneAloneBelowChannelTwo) {
    const auto r = at(500.0);
    ASSERT_TRUE(r);
    std::size_t i = 0;
    while (!(tables.Ch1Wavelengths[i] > 500.0))
        ++i;
    EXPECT_EQ(r->x, tables.Ch1Wavelengths[i]);
    ASSERT_TRUE(r->y0);
    EXPECT_EQ(*r->y0, plotValues[i - 1]);
    EXPECT_FALSE(r->y1);
}

// The halves meet near 681 nm without overlapping: below channel 1's last wavelength only
// channel 1 has a point under the cursor, above it only channel 2.
TEST_F(HalvesReadout, WhereTheHalvesMeet) {
    const double ch1Last = tables.Ch1Wavelengths[P / 2 - 1];
    const double ch2Last = tables.Ch2Wavelengths[P / 2 - 1];
    ASSERT_LT(ch1Last, ch2Last);
    const double below = std::round((tables.Ch1Wavelengths[P / 2 - 2] + ch1Last) * 50.0) / 100.0;
    const auto r = at(below);
    ASSERT_TRUE(r);
    ASSERT_TRUE(r->y0);
    EXPECT_EQ(*r->y0, plotValues[P / 2 - 2]);
    EXPECT_FALSE(r->y1);
    const auto above = at(std::round((ch1Last + ch2Last) * 50.0) / 100.0);
    ASSERT_TRUE(above);
    EXPECT_FALSE(above->y0);
    ASSERT_TRUE(above->y1);
    EXPECT_EQ(*above->y1, plotValues[P - 1]);
}

} // namespace
