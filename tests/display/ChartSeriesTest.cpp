#include "display/ChartSeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Buffers as the main window holds them for pixel count p: plot values up to p + p div 2,
// wavelength tables with p + 1 entries.
struct Buffers {
    std::int32_t p;
    std::vector<double> plotValues;
    std::vector<double> ch1;
    std::vector<double> ch2;
    ChartSeries s0, s1;

    explicit Buffers(std::int32_t pixels)
        : p(pixels), plotValues(p + p / 2 + 1, 0.0), ch1(p + 1, 0.0), ch2(p + 1, 0.0) {
        for (std::int32_t k = 0; k < p; ++k)
            plotValues[k] = 1000.0 + k;
        s0.appendPoints(p + 2);
        s1.appendPoints(p + 2);
    }

    ChartInputs inputs(bool nm, bool ch1On, bool ch2On, bool single = false, double lo = 0,
                       double hi = 0) const {
        return {p, single, nm, ch1On, ch2On, plotValues, ch1, ch2, lo, hi};
    }
};

std::vector<std::size_t> DrawnPoints(const ChartSeries& s) {
    std::vector<std::size_t> drawn;
    for (std::size_t k = 0; k < s.drawn.size(); ++k)
        if (s.drawn[k])
            drawn.push_back(k);
    return drawn;
}

std::vector<std::size_t> FirstPoints(std::size_t count) {
    std::vector<std::size_t> points(count);
    for (std::size_t k = 0; k < count; ++k)
        points[k] = k;
    return points;
}

struct DrawnCase {
    const char* name;
    bool single, nm, ch1, ch2;
    std::size_t series0, series1; // points drawn from point 0 on
};

class FillChartSeriesDrawn : public ::testing::TestWithParam<DrawnCase> {};

// Every point starts drawn, so the test also sees the marks the fill clears.
TEST_P(FillChartSeriesDrawn, MarksExactlyTheShownChannelsData) {
    const DrawnCase& c = GetParam();
    Buffers b(64);
    for (int k = 0; k <= 64; ++k) {
        b.ch1[k] = 400.0 + k;
        b.ch2[k] = 500.0 - k;
    }
    b.s0.drawFirst(66);
    b.s1.drawFirst(66);
    FillChartSeries(b.inputs(c.nm, c.ch1, c.ch2, c.single, 300.0, 600.0), b.s0, b.s1);
    EXPECT_EQ(DrawnPoints(b.s0), FirstPoints(c.series0));
    EXPECT_EQ(DrawnPoints(b.s1), FirstPoints(c.series1));
}

INSTANTIATE_TEST_SUITE_P(
    ChannelsAndUnits, FillChartSeriesDrawn,
    ::testing::Values(DrawnCase{"PixelsTwoChannels", false, false, true, true, 32, 32},
                      DrawnCase{"PixelsOneChannel", true, false, true, true, 64, 0},
                      DrawnCase{"PixelsOnlyChannelOne", false, false, true, false, 32, 0},
                      DrawnCase{"PixelsOnlyChannelTwo", false, false, false, true, 0, 32},
                      DrawnCase{"PixelsNeitherKeepsTheMarks", false, false, false, false, 66, 66},
                      DrawnCase{"NanometresTwoChannels", false, true, true, true, 32, 32},
                      DrawnCase{"NanometresOneChannel", true, true, true, true, 64, 0},
                      DrawnCase{"NanometresOnlyChannelOne", false, true, true, false, 32, 0},
                      DrawnCase{"NanometresOnlyChannelTwo", false, true, false, true, 0, 32},
                      DrawnCase{"NanometresNeither", false, true, false, false, 0, 0}),
    [](const ::testing::TestParamInfo<DrawnCase>& info) { return info.param.name; });

TEST(ChartSeries, DrawFirstMarksThePointsFromZeroAndClearsTheRest) {
    ChartSeries s;
    s.appendPoints(5);
    EXPECT_TRUE(DrawnPoints(s).empty());
    s.drawFirst(3);
    EXPECT_EQ(DrawnPoints(s), FirstPoints(3));
    s.drawFirst(99);
    EXPECT_EQ(DrawnPoints(s), FirstPoints(5));
    s.appendPoints(2);
    EXPECT_EQ(DrawnPoints(s), FirstPoints(5));
    s.drawFirst(0);
    EXPECT_TRUE(DrawnPoints(s).empty());
}

TEST(FillChartSeries, PixelNumbersBothChannelsTwoChannelDevice) {
    Buffers b(2048);
    FillChartSeries(b.inputs(false, true, true), b.s0, b.s1);
    for (int k = 0; k <= 2048; ++k) {
        EXPECT_EQ(b.s0.x[k], k);
        EXPECT_EQ(b.s0.y[k], b.plotValues[k]);
        EXPECT_EQ(b.s1.x[k], k);
        EXPECT_EQ(b.s1.y[k], b.plotValues[1024 + k]);
    }
    EXPECT_EQ(b.s0.x[2049], 0.0);
    EXPECT_EQ(b.s0.y[2049], 0.0);
    EXPECT_EQ(b.s1.y[2049], 0.0);
}

TEST(FillChartSeries, PixelNumbersSingleChannelReadsChannelTwoFromStart) {
    Buffers b(100);
    FillChartSeries(b.inputs(false, false, true, true), b.s0, b.s1);
    for (int k = 0; k <= 100; ++k)
        EXPECT_EQ(b.s1.y[k], b.plotValues[k]);
}

TEST(FillChartSeries, PixelNumbersOnlyChannelTwoHidesSeriesZeroKeepingItsX) {
    Buffers b(64);
    for (int k = 0; k < 66; ++k)
        b.s0.x[k] = 7.5;
    FillChartSeries(b.inputs(false, false, true), b.s0, b.s1);
    for (int k = 0; k <= 64; ++k) {
        EXPECT_EQ(b.s0.y[k], -0.001);
        EXPECT_EQ(b.s0.x[k], 7.5);
    }
    EXPECT_EQ(b.s0.y[65], 0.0);
}

TEST(FillChartSeries, PixelNumbersOnlyChannelOneHidesSeriesOne) {
    Buffers b(64);
    FillChartSeries(b.inputs(false, true, false), b.s0, b.s1);
    for (int k = 0; k <= 64; ++k) {
        EXPECT_EQ(b.s1.y[k], -0.001);
        EXPECT_EQ(b.s1.x[k], 0.0);
    }
}

TEST(FillChartSeries, PixelNumbersNeitherChannelChangesNothing) {
    Buffers b(16);
    b.s0.y.assign(18, 5.0);
    b.s1.y.assign(18, 6.0);
    FillChartSeries(b.inputs(false, false, false), b.s0, b.s1);
    EXPECT_EQ(b.s0.y, std::vector<double>(18, 5.0));
    EXPECT_EQ(b.s1.y, std::vector<double>(18, 6.0));
}

TEST(FillChartSeries, NanometresChannelOneUncheckedGetsPlusHiddenUpToPMinusOne) {
    Buffers b(32);
    b.s0.y.assign(34, 9.0);
    b.s0.x.assign(34, 3.0);
    FillChartSeries(b.inputs(true, false, false), b.s0, b.s1);
    for (int k = 0; k < 32; ++k) {
        EXPECT_EQ(b.s0.y[k], 0.001);
        EXPECT_EQ(b.s0.x[k], 3.0);
        EXPECT_EQ(b.s1.y[k], 0.001);
    }
    EXPECT_EQ(b.s0.y[32], 9.0);
    EXPECT_EQ(b.s1.y[32], 0.0);
}

TEST(FillChartSeries, NanometresChannelOneWritesPPlusOnePoints) {
    Buffers b(8);
    for (int k = 0; k <= 8; ++k) {
        b.ch1[k] = 400.0 + k;
        b.plotValues[k] = 10.0 * k;
    }
    FillChartSeries(b.inputs(true, true, false), b.s0, b.s1);
    for (int k = 0; k <= 8; ++k) {
        EXPECT_EQ(b.s0.x[k], 400.0 + k);
        EXPECT_EQ(b.s0.y[k], 10.0 * k);
    }
    EXPECT_EQ(b.s0.x[9], 0.0);
}

// Channel 2 in nanometres: inclusive range, outside and NaN get -0.001, points P and P + 1 stay.
TEST(FillChartSeries, NanometresChannelTwoRangeTest) {
    Buffers b(6);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    b.ch2 = {400.0, 399.99, 500.0, 500.01, nan, 450.0, 777.0};
    b.plotValues = {0, 0, 0, 10, 11, 12, 13, 14, 15, 0};
    b.s1.x[6] = 42.0;
    b.s1.y[6] = 43.0;
    FillChartSeries(b.inputs(true, false, true, false, 400.0, 500.0), b.s0, b.s1);
    const std::vector<double> expected = {10, -0.001, 12, -0.001, -0.001, 15};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(b.s1.y[k], expected[k]) << k;
        if (k != 4) {
            EXPECT_EQ(b.s1.x[k], b.ch2[k]);
        }
    }
    EXPECT_TRUE(std::isnan(b.s1.x[4]));
    EXPECT_EQ(b.s1.x[6], 42.0);
    EXPECT_EQ(b.s1.y[6], 43.0);
    EXPECT_EQ(b.s1.x[7], 0.0);
    EXPECT_EQ(b.s1.y[7], 0.0);
    // Drawn: channel 2's own points (0 .. 2) within the range; point 5 lies beyond its data.
    EXPECT_EQ(DrawnPoints(b.s1), (std::vector<std::size_t>{0, 2}));
}

TEST(FillChartSeries, SeriesAccumulateAcrossSetupsAndOnlyTheFirstPartIsFilled) {
    Buffers b(10);
    b.s0.appendPoints(12);
    b.s1.appendPoints(12);
    b.s0.appendPoints(12);
    b.s1.appendPoints(12);
    ASSERT_EQ(b.s0.size(), 36u);
    ASSERT_EQ(b.s1.size(), 36u);
    FillChartSeries(b.inputs(false, true, true), b.s0, b.s1);
    EXPECT_EQ(b.s0.x[10], 10.0);
    EXPECT_EQ(b.s0.x[11], 0.0);
    EXPECT_EQ(b.s0.y[11], 0.0);
    EXPECT_EQ(b.s1.x[11], 0.0);
    EXPECT_EQ(b.s1.y[11], 0.0);
    for (std::size_t k = 12; k < 36; ++k) {
        EXPECT_EQ(b.s0.x[k], 0.0);
        EXPECT_EQ(b.s1.y[k], 0.0);
    }
}

TEST(FillChartSeries, DoesNothingWithoutMatchingSetup) {
    struct Case {
        const char* name;
        std::int32_t pixels;
        std::size_t points;
        std::size_t plotValues;
        std::size_t tables;
        bool nm;
    };
    const std::vector<Case> cases = {
        {"no set-up", 16, 0, 25, 17, false},
        {"set up for fewer pixels", 16, 17, 25, 17, false},
        {"zero pixels", 0, 2, 25, 17, false},
        {"negative pixels", -4, 2, 25, 17, false},
        {"plot values too short", 16, 18, 24, 17, false},
        {"wavelength table too short", 16, 18, 25, 16, true},
    };
    for (const Case& c : cases) {
        std::vector<double> values(c.plotValues, 1.0), table(c.tables, 500.0);
        ChartSeries s0, s1;
        s0.appendPoints(c.points);
        s1.appendPoints(c.points);
        const ChartInputs in{c.pixels, false, c.nm, true, true, values, table, table, 0, 1000};
        FillChartSeries(in, s0, s1);
        EXPECT_EQ(s0.y, std::vector<double>(c.points, 0.0)) << c.name;
        EXPECT_EQ(s1.y, std::vector<double>(c.points, 0.0)) << c.name;
    }
}

TEST(SetupBottomAxis, RangesAndTitles) {
    struct Case {
        bool nm;
        bool single;
        double minimum, maximum;
        const char* title;
    };
    const std::vector<Case> cases = {
        {true, false, 350.0, 1372.5, "Wavelength nm "},
        {true, true, 350.0, 1372.5, "Wavelength nm "},
        {false, true, 0.0, 2048.0, "Pixel number "},
        {false, false, 0.0, 1024.0, "Pixel number "},
    };
    for (const Case& c : cases) {
        const BottomAxisRange r = SetupBottomAxis(c.nm, 350.0, 1373.5, 2048, c.single);
        EXPECT_EQ(r.minimum, c.minimum);
        EXPECT_EQ(r.maximum, c.maximum);
        EXPECT_EQ(r.title, QString::fromLatin1(c.title));
    }
    EXPECT_EQ(SetupBottomAxis(false, 0, 0, 2049, false).maximum, 1024.0);
}

struct LeftMaximumCase {
    const char* name;
    std::int32_t bits;
    std::optional<double> thermal, standard;
};

class SetupLeftMaximumTable : public ::testing::TestWithParam<LeftMaximumCase> {};

TEST_P(SetupLeftMaximumTable, ByResolutionAndBuild) {
    const LeftMaximumCase& c = GetParam();
    EXPECT_EQ(SetupLeftMaximum(c.bits, BuildKind::Thermal), c.thermal);
    EXPECT_EQ(SetupLeftMaximum(c.bits, BuildKind::Standard), c.standard);
}

// Full scale plus the 15 counts the 16-bit axis has above 65535.
constexpr double FullScalePlusMargin(int bits) {
    return static_cast<double>((std::int64_t{1} << bits) - 1 + 15);
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, SetupLeftMaximumTable,
    ::testing::Values(LeftMaximumCase{"Bits10FromTheTable", 10, 1050.0, std::nullopt},
                      LeftMaximumCase{"Bits12FromTheTable", 12, 4100.0, 4100.0},
                      LeftMaximumCase{"Bits16FromTheTable", 16, 65550.0, 65550.0},
                      LeftMaximumCase{"Bits24FromTheTable", 24, 4100.0, std::nullopt},
                      LeftMaximumCase{"Bits1", 1, 16.0, 16.0},
                      LeftMaximumCase{"Bits8", 8, 270.0, 270.0},
                      LeftMaximumCase{"Bits14", 14, 16398.0, 16398.0},
                      LeftMaximumCase{"Bits20", 20, FullScalePlusMargin(20),
                                      FullScalePlusMargin(20)},
                      LeftMaximumCase{"Bits31", 31, 2147483662.0, 2147483662.0},
                      LeftMaximumCase{"Bits0", 0, std::nullopt, std::nullopt},
                      LeftMaximumCase{"BitsNegative", -1, std::nullopt, std::nullopt},
                      LeftMaximumCase{"Bits32", 32, std::nullopt, std::nullopt},
                      LeftMaximumCase{"Bits64", 64, std::nullopt, std::nullopt},
                      LeftMaximumCase{"BitsLargest", std::numeric_limits<std::int32_t>::max(),
                                      std::nullopt, std::nullopt},
                      LeftMaximumCase{"BitsSmallest", std::numeric_limits<std::int32_t>::min(),
                                      std::nullopt, std::nullopt}),
    [](const ::testing::TestParamInfo<LeftMaximumCase>& info) { return info.param.name; });

} // namespace
