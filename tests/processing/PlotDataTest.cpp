#include "processing/PlotData.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct PlotCase {
    std::string name;
    std::vector<std::int64_t> rawCounts;
    std::int32_t averaging;
    ReferenceFlags flags;
    std::vector<double> dark;
    std::vector<double> white;
    std::vector<double> expectedPlot;
};

ReferenceFlags darkValid() {
    ReferenceFlags f;
    f.DarkValid = true;
    return f;
}

ReferenceFlags percentShown() {
    ReferenceFlags f;
    f.RawMode = false;
    f.WhiteValid = true;
    return f;
}

class PlotValuesFrom : public testing::TestWithParam<PlotCase> {};

TEST_P(PlotValuesFrom, OneCall) {
    const PlotCase& c = GetParam();
    const auto pixels = static_cast<std::int32_t>(c.rawCounts.size());
    ReferenceFlags flags = c.flags;
    std::vector<double> plot(pixels, -1);
    std::vector<double> dark = c.dark;
    std::vector<double> white = c.white;

    MakePlotData(c.rawCounts, pixels, c.averaging, flags, plot, dark, white);

    EXPECT_EQ(plot, c.expectedPlot);
}

constexpr std::int64_t Max32 = 2147483647;

INSTANTIATE_TEST_SUITE_P(
    Cases, PlotValuesFrom,
    testing::Values(
        PlotCase{"AverageTruncates", {10, 11, 12}, 3, {}, {0, 0, 0}, {1, 1, 1}, {3, 3, 4}},
        PlotCase{"AveragingOneTakesTheSums", {10, 11}, 1, {}, {0, 0}, {1, 1}, {10, 11}},
        PlotCase{"AveragingZeroDoesNotDivide", {10, 11}, 0, {}, {0, 0}, {1, 1}, {10, 11}},
        PlotCase{"SumsBeyond32BitsAverageTrue",
                 {2 * Max32, 2147483648},
                 2,
                 {},
                 {0, 0},
                 {1, 1},
                 {2147483647.0, 1073741824.0}},
        PlotCase{"SumOf2Pow31IsPositive", {2147483648}, 1, {}, {0}, {1}, {2147483648.0}},
        PlotCase{"DarkSubtracted", {10, 4}, 1, darkValid(), {4, 4}, {1, 1}, {6, 0}},
        PlotCase{"DarkAboveSignalPlotsOne", {5}, 1, darkValid(), {8}, {1}, {1.0}},
        PlotCase{"DarkIgnoredUntilValid", {5}, 1, {}, {8}, {1}, {5}},
        PlotCase{"PercentOfWhite", {50, 30}, 1, percentShown(), {0, 0}, {200, 30}, {25, 100}},
        PlotCase{"CountsModeIgnoresWhite",
                 {50},
                 1,
                 [] {
                     ReferenceFlags f;
                     f.WhiteValid = true;
                     return f;
                 }(),
                 {0},
                 {200},
                 {50}}),
    [](const testing::TestParamInfo<PlotCase>& info) { return info.param.name; });

// One device's buffers and flags across several calls, as the main window holds them.
class References : public testing::Test {
protected:
    void make(std::vector<std::int64_t> counts, std::int32_t averaging = 1) {
        raw = std::move(counts);
        MakePlotData(raw, static_cast<std::int32_t>(raw.size()), averaging, flags, plot, dark,
                     white);
    }

    std::vector<std::int64_t> raw;
    ReferenceFlags flags;
    std::vector<double> plot = std::vector<double>(3);
    std::vector<double> dark = std::vector<double>(3);
    std::vector<double> white = std::vector<double>(3);
};

TEST_F(References, SavedDarkIsTheAverageAndShowsZeroAtOnce) {
    flags.SaveDarkPending = true;
    make({30, 60, 90}, 3);

    EXPECT_EQ(dark, (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(plot, (std::vector<double>{0, 0, 0}));
    EXPECT_FALSE(flags.SaveDarkPending);
    EXPECT_TRUE(flags.DarkValid);

    make({30, 60, 90}, 3);
    EXPECT_EQ(plot, (std::vector<double>{0, 0, 0}));
}

TEST_F(References, WhiteIsTakenAfterDarkAndRaisedToMinimum) {
    flags.SaveDarkPending = true;
    make({5, 5, 5});
    flags.SaveWhitePending = true;
    make({105, 5, 3});

    EXPECT_EQ(white, (std::vector<double>{100, 0.01, 1.0}));
    EXPECT_FALSE(flags.SaveWhitePending);
    EXPECT_TRUE(flags.WhiteValid);

    // A sample 2 counts above dark over the raised white reference.
    flags.RawMode = false;
    make({55, 7, 8});
    EXPECT_DOUBLE_EQ(plot[0], 50);
    EXPECT_DOUBLE_EQ(plot[1], 20000);
    EXPECT_DOUBLE_EQ(plot[2], 300);
}

TEST_F(References, WhiteSavedInPercentModeShowsHundred) {
    flags.RawMode = false;
    flags.SaveWhitePending = true;
    make({40, 7, 0});

    EXPECT_EQ(plot, (std::vector<double>{100, 100, 0}));
}

TEST(MakePlotData, PixelCountZeroTouchesNothing) {
    ReferenceFlags flags;
    flags.SaveDarkPending = true;
    std::vector<double> none;
    MakePlotData({}, 0, 1, flags, none, none, none);
    EXPECT_TRUE(flags.SaveDarkPending);
}

TEST(MakePlotData, RefusesBuffersShorterThanThePixels) {
    ReferenceFlags flags;
    std::vector<double> full(2), shorter(1);
    EXPECT_THROW(MakePlotData({1, 2}, 2, 1, flags, full, full, shorter), std::invalid_argument);
}

struct MaximumCase {
    const char* name;
    std::int32_t resolution;
    BuildKind kind;
    std::optional<double> expected;
};

class LeftMaximum : public testing::TestWithParam<MaximumCase> {};

TEST_P(LeftMaximum, ByResolutionAndBuild) {
    EXPECT_EQ(CountsModeLeftMaximum(GetParam().resolution, GetParam().kind), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LeftMaximum,
    testing::Values(MaximumCase{"TenBitsThermal", 10, BuildKind::Thermal, 1050},
                    MaximumCase{"TwelveBitsThermal", 12, BuildKind::Thermal, 4100},
                    MaximumCase{"SixteenBitsThermal", 16, BuildKind::Thermal, 65550},
                    MaximumCase{"TwentyFourBitsThermal", 24, BuildKind::Thermal, 65550},
                    // Resolutions outside the table: full scale and the 16-bit axis's headroom.
                    MaximumCase{"FourteenBitsThermalFullScale", 14, BuildKind::Thermal, 16398},
                    MaximumCase{"EightBitsStandardFullScale", 8, BuildKind::Standard, 270},
                    MaximumCase{"ThirtyOneBitsFullScale", 31, BuildKind::Standard, 2147483662.0},
                    MaximumCase{"ZeroBitsHasNone", 0, BuildKind::Thermal, std::nullopt},
                    MaximumCase{"ThirtyTwoBitsHasNone", 32, BuildKind::Standard, std::nullopt},
                    MaximumCase{"TenBitsStandardHasNone", 10, BuildKind::Standard, std::nullopt},
                    MaximumCase{"TwelveBitsStandard", 12, BuildKind::Standard, 4100},
                    MaximumCase{"SixteenBitsStandard", 16, BuildKind::Standard, 65550},
                    MaximumCase{"TwentyFourBitsStandardHasNone", 24, BuildKind::Standard,
                                std::nullopt}),
    [](const testing::TestParamInfo<MaximumCase>& info) { return std::string(info.param.name); });

} // namespace
