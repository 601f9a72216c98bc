#include "processing/WavelengthCalibration.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Coefficients = std::array<double, 4>;

WavelengthTables zeroTables(std::int32_t pixelCount) {
    WavelengthTables t;
    t.Ch1Wavelengths.assign(pixelCount + 1, 0.0);
    t.Ch2Wavelengths.assign(pixelCount + 1, 0.0);
    return t;
}

struct Probe {
    std::size_t index;
    double ch1;
    double ch2;
};

struct CalibrationCase {
    std::string name;
    Coefficients ch1;
    Coefficients ch2;
    std::int32_t pixelCount;
    BuildKind kind;
    bool singleChannelBefore;
    bool singleChannelAfter;
    double min;
    double max;
    std::vector<Probe> probes;
};

class Calibration : public testing::TestWithParam<CalibrationCase> {};

TEST_P(Calibration, FillsTablesAndRange) {
    const CalibrationCase& c = GetParam();
    WavelengthTables tables = zeroTables(c.pixelCount);
    bool singleChannel = c.singleChannelBefore;

    ComputeWavelengths(c.ch1, c.ch2, c.pixelCount, c.kind, singleChannel, tables);

    EXPECT_EQ(singleChannel, c.singleChannelAfter);
    EXPECT_TRUE(tables.WavelengthCalibrated);
    EXPECT_EQ(tables.WavelengthMin, c.min);
    EXPECT_EQ(tables.WavelengthMax, c.max);
    EXPECT_EQ(tables.Ch1Wavelengths.size(), static_cast<std::size_t>(c.pixelCount) + 1);
    EXPECT_EQ(tables.Ch2Wavelengths.size(), static_cast<std::size_t>(c.pixelCount) + 1);
    for (const Probe& p : c.probes) {
        EXPECT_EQ(tables.Ch1Wavelengths[p.index], p.ch1) << "index " << p.index;
        EXPECT_DOUBLE_EQ(tables.Ch2Wavelengths[p.index], p.ch2) << "index " << p.index;
    }
}

const Coefficients Linear350{350, 0.5, 0, 0};
const Coefficients Ch2Linear900{900, 0.25, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Cases, Calibration,
    testing::Values(
        // 400.125 lies exactly halfway: the half goes to the even neighbour.
        CalibrationCase{"HalfRoundsToEven",
                        {400.125, 0, 0, 0},
                        {0, 0, 0, 0},
                        4,
                        BuildKind::Thermal,
                        true,
                        true,
                        400.125,
                        400.12,
                        {{0, 400.12, 0}, {4, 400.12, 0}}},
        CalibrationCase{"ThermalFillsIndexPixelCountToo",
                        Linear350,
                        Ch2Linear900,
                        2048,
                        BuildKind::Thermal,
                        false,
                        false,
                        350,
                        1373.5,
                        {{0, 350, 900}, {2047, 1373.5, 1411.75}, {2048, 1374, 1412}}},
        CalibrationCase{"ThermalSingleChannelLeavesChannel2",
                        Linear350,
                        Ch2Linear900,
                        2048,
                        BuildKind::Thermal,
                        true,
                        true,
                        350,
                        1373.5,
                        {{0, 350, 0}, {2048, 1374, 0}}},
        CalibrationCase{"StandardHalvesAndRangeTopIsChannel2Start",
                        Linear350,
                        Ch2Linear900,
                        2048,
                        BuildKind::Standard,
                        true,
                        false,
                        350,
                        900,
                        {{0, 350, 900}, {1023, 861.5, 1155.75}, {1024, 0, 0}}},
        CalibrationCase{"Channel1RoundedChannel2Not",
                        {500, 0.123456, 0, 0},
                        {600, 0.123456, 0, 0},
                        4,
                        BuildKind::Thermal,
                        false,
                        false,
                        500,
                        500.37,
                        {{1, 500.12, 600.123456}, {3, 500.37, 600.370368}}},
        CalibrationCase{"ThermalNoPixels",
                        Linear350,
                        Ch2Linear900,
                        0,
                        BuildKind::Thermal,
                        false,
                        false,
                        350,
                        350,
                        {{0, 350, 900}}},
        CalibrationCase{"StandardNoPixels",
                        Linear350,
                        Ch2Linear900,
                        0,
                        BuildKind::Standard,
                        true,
                        false,
                        350,
                        900,
                        {{0, 0, 0}}}),
    [](const testing::TestParamInfo<CalibrationCase>& info) { return info.param.name; });

TEST(ComputeWavelengths, CubicTermsInFullPrecision) {
    WavelengthTables tables = zeroTables(2);
    bool singleChannel = false;

    ComputeWavelengths({100, 2, 0.5, 0.25}, {100, 2, 0.5, 0.25}, 2, BuildKind::Thermal,
                       singleChannel, tables);

    // 100 + 2·2 + 0.5·4 + 0.25·8
    EXPECT_EQ(tables.Ch1Wavelengths[2], 108);
    EXPECT_EQ(tables.Ch2Wavelengths[2], 108);
}

TEST(ComputeWavelengths, GrowsShortTablesKeepingTheirEntries) {
    WavelengthTables tables;
    tables.Ch2Wavelengths = {7};
    bool singleChannel = true;

    ComputeWavelengths(Linear350, Ch2Linear900, 8, BuildKind::Thermal, singleChannel, tables);

    EXPECT_EQ(tables.Ch1Wavelengths.size(), 9u);
    EXPECT_EQ(tables.Ch1Wavelengths[8], 354);
    EXPECT_EQ(tables.Ch2Wavelengths, (std::vector<double>{7, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(MarksNoCalibration, OnlyExactlyOne) {
    EXPECT_TRUE(MarksNoCalibration({1.0, 5, 5, 5}));
    EXPECT_FALSE(MarksNoCalibration({1.0000000001, 0, 0, 0}));
    EXPECT_FALSE(MarksNoCalibration({0, 1, 0, 0}));
}

} // namespace
