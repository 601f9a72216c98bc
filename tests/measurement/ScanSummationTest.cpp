#include "measurement/ScanSummation.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>

namespace {

CountArray blockOf(const std::vector<std::vector<std::int32_t>>& scans) {
    const std::size_t columns = scans.empty() ? 0 : scans.front().size();
    CountArray block = CountArray::matrix(scans.size(), columns);
    for (std::size_t s = 0; s < scans.size(); ++s) {
        std::copy(scans[s].begin(), scans[s].end(), block.values.begin() + s * columns);
    }
    return block;
}

constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();

struct LayoutCase {
    std::string name;
    std::vector<std::vector<std::int32_t>> scans;
    std::int32_t averaging;
    std::int32_t pixelCount;
    bool singleChannel;
    BuildKind kind;
    std::vector<std::int64_t> expectedCounts;
};

class ScanLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(ScanLayout, SumsIntoChannelLayoutAndKeepsEveryScanWhole) {
    const LayoutCase& c = GetParam();
    // Stale values from an earlier measurement, one entry beyond the pixels as a sentinel.
    std::vector<std::int64_t> rawCounts(c.pixelCount + 1, -99);
    RawDataValues seriesData;

    RetrieveScans(blockOf(c.scans), c.averaging, c.pixelCount, c.singleChannel, c.kind, rawCounts,
                  seriesData);

    EXPECT_EQ(std::vector<std::int64_t>(rawCounts.begin(), rawCounts.begin() + c.pixelCount),
              c.expectedCounts);
    EXPECT_EQ(rawCounts[c.pixelCount], -99);
    ASSERT_EQ(seriesData.size(), static_cast<std::size_t>(c.averaging));
    for (std::size_t s = 0; s < seriesData.size(); ++s) {
        EXPECT_EQ(seriesData[s],
                  std::vector<std::int32_t>(c.scans[s].begin(), c.scans[s].begin() + c.pixelCount))
            << "scan " << s;
    }
}

const std::vector<std::int32_t> Interleaved8{10, 20, 11, 21, 12, 22, 13, 23};
const std::vector<std::int32_t> Interleaved7{10, 20, 11, 21, 12, 22, 99};
// Long enough for the summing loops' blocks of four and their remainder.
const std::vector<std::int32_t> Interleaved11{0, 50, 1, 51, 2, 52, 3, 53, 4, 54, 99};

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanLayout,
    testing::Values(
        LayoutCase{
            "OneScanEqualsItself", {{3, 1, 4, 1}}, 1, 4, true, BuildKind::Standard, {3, 1, 4, 1}},
        LayoutCase{"TwoScansAddElementByElement",
                   {{5, 7}, {6, 8}},
                   2,
                   2,
                   true,
                   BuildKind::Thermal,
                   {11, 15}},
        LayoutCase{"TwoChannelsStandardInPixelOrder",
                   {Interleaved8},
                   1,
                   8,
                   false,
                   BuildKind::Standard,
                   {10, 11, 12, 13, 20, 21, 22, 23}},
        LayoutCase{"TwoChannelsThermalChannel2Reversed",
                   {Interleaved8},
                   1,
                   8,
                   false,
                   BuildKind::Thermal,
                   {10, 11, 12, 13, 23, 22, 21, 20}},
        LayoutCase{"TwoChannelsTwoScansThermal",
                   {Interleaved8, Interleaved8},
                   2,
                   8,
                   false,
                   BuildKind::Thermal,
                   {20, 22, 24, 26, 46, 44, 42, 40}},
        LayoutCase{"OddCountStandardLeavesUnpairedElementOut",
                   {Interleaved7},
                   1,
                   7,
                   false,
                   BuildKind::Standard,
                   {10, 11, 12, 20, 21, 22, 0}},
        LayoutCase{"OddCountThermalLeavesUnpairedElementOut",
                   {Interleaved7},
                   1,
                   7,
                   false,
                   BuildKind::Thermal,
                   {10, 11, 12, 22, 21, 20, 0}},
        LayoutCase{"LongSingleChannelScans",
                   {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
                    {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100}},
                   2,
                   11,
                   true,
                   BuildKind::Thermal,
                   {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111}},
        LayoutCase{"LongTwoChannelStandard",
                   {Interleaved11},
                   1,
                   10,
                   false,
                   BuildKind::Standard,
                   {0, 1, 2, 3, 4, 50, 51, 52, 53, 54}},
        LayoutCase{"LongTwoChannelThermal",
                   {Interleaved11},
                   1,
                   10,
                   false,
                   BuildKind::Thermal,
                   {0, 1, 2, 3, 4, 54, 53, 52, 51, 50}},
        LayoutCase{"LongOddTwoChannelThermal",
                   {Interleaved11},
                   1,
                   11,
                   false,
                   BuildKind::Thermal,
                   {0, 1, 2, 3, 4, 54, 53, 52, 51, 50, 0}},
        LayoutCase{"CountsAbove16BitsKeptWhole",
                   {{70000, 16777215}},
                   1,
                   2,
                   true,
                   BuildKind::Standard,
                   {70000, 16777215}},
        LayoutCase{"SumsBeyond32BitsDoNotWrap",
                   {{Max32, Max32}, {Max32, Max32}},
                   2,
                   2,
                   false,
                   BuildKind::Standard,
                   {2LL * Max32, 2LL * Max32}},
        LayoutCase{"LargerBlockUsesOnlyTheMeasuredPart",
                   {{1, 2, 3, 100}, {4, 5, 6, 100}, {100, 100, 100, 100}},
                   2,
                   3,
                   true,
                   BuildKind::Standard,
                   {5, 7, 9}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(RetrieveScans, AveragingZeroReadsNothingAndClearsTheSums) {
    std::vector<std::int64_t> rawCounts{7, 8, 9};
    RawDataValues seriesData{{1, 2, 3}};

    RetrieveScans(CountArray{}, 0, 3, true, BuildKind::Standard, rawCounts, seriesData);

    EXPECT_EQ(rawCounts, (std::vector<std::int64_t>{0, 0, 0}));
    EXPECT_EQ(seriesData, (RawDataValues{{1, 2, 3}}));
}

TEST(RetrieveScans, PixelCountZeroChangesNothing) {
    std::vector<std::int64_t> rawCounts;
    RawDataValues seriesData{{1}};

    RetrieveScans(blockOf({{5}}), 1, 0, true, BuildKind::Thermal, rawCounts, seriesData);

    EXPECT_TRUE(rawCounts.empty());
    EXPECT_EQ(seriesData, (RawDataValues{{1}}));
}

TEST(RetrieveScans, OverwritesMeasuredRowsWholeAndKeepsFurtherRows) {
    std::vector<std::int64_t> rawCounts(2);
    RawDataValues seriesData{{9, 9, 9, 9}, {9}, {42, 43}};

    RetrieveScans(blockOf({{1, 2}, {3, 4}}), 2, 2, true, BuildKind::Standard, rawCounts,
                  seriesData);

    EXPECT_EQ(seriesData, (RawDataValues{{1, 2}, {3, 4}, {42, 43}}));
}

TEST(RetrieveScans, RefusesSumBufferShorterThanThePixels) {
    std::vector<std::int64_t> rawCounts(1);
    RawDataValues seriesData;
    EXPECT_THROW(
        RetrieveScans(blockOf({{1, 2}}), 1, 2, true, BuildKind::Standard, rawCounts, seriesData),
        std::invalid_argument);
}

struct ShapeCase {
    std::string name;
    CountArray block;
    std::string message;
};

class WrongShape : public testing::TestWithParam<ShapeCase> {};

// A wrong reply must not destroy the previous measurement.
TEST_P(WrongShape, ThrowsNamingBothShapesAndKeepsThePreviousMeasurement) {
    const ShapeCase& c = GetParam();
    std::vector<std::int64_t> rawCounts(2048, 5);
    RawDataValues seriesData(10, std::vector<std::int32_t>(2048, 6));
    const auto countsBefore = rawCounts;
    const auto seriesBefore = seriesData;

    try {
        RetrieveScans(c.block, 10, 2048, true, BuildKind::Standard, rawCounts, seriesData);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), c.message);
    }
    EXPECT_EQ(rawCounts, countsBefore);
    EXPECT_EQ(seriesData, seriesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrongShape,
    testing::Values(
        ShapeCase{"Empty", CountArray{},
                  "The camera server returned no counts; the measurement needs 10 \u00d7 2048."},
        ShapeCase{"OneDimensional", CountArray{{2048}, std::vector<std::int32_t>(2048)},
                  "The camera server returned a one-dimensional array of 2048 counts; the "
                  "measurement needs 10 \u00d7 2048."},
        ShapeCase{"TooFewRows", CountArray::matrix(1, 2048),
                  "The camera server returned 1 \u00d7 2048 counts; the measurement needs 10 "
                  "\u00d7 2048."},
        ShapeCase{"TooFewColumns", CountArray::matrix(10, 2047),
                  "The camera server returned 10 \u00d7 2047 counts; the measurement needs 10 "
                  "\u00d7 2048."},
        ShapeCase{"FewerValuesThanTheShapeClaims",
                  CountArray{{10, 2048}, std::vector<std::int32_t>(2048)},
                  "The camera server returned 10 \u00d7 2048 counts but only 2048 values."}),
    [](const testing::TestParamInfo<ShapeCase>& info) { return info.param.name; });

} // namespace
