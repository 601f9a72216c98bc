#include "files/ScanBlock.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

struct IntegerCase {
    std::int64_t value;
    const char* n;
    const char* i5;
};

TEST(ScanBlockNumbers, IntegerFormats) {
    const std::vector<IntegerCase> cases = {
        {0, "0", "    0"},
        {123, "123", "  123"},
        {2048, "2048", " 2048"},
        {65535, "65535", "65535"},
        {123456, "123456", "123456"},
        {-7, "-7", "   -7"},
        {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808", "-9223372036854775808"},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(formatN(c.value), QLatin1String(c.n)) << c.value;
        EXPECT_EQ(formatI5(c.value), QLatin1String(c.i5)) << c.value;
    }
}

struct RealCase {
    double value;
    const char* r5;
};

TEST(ScanBlockNumbers, FixedPointFormat) {
    const std::vector<RealCase> cases = {
        {7, "  7.0"},      {12.34, " 12.3"},
        {13.46, " 13.5"},  {65535, "65535.0"},
        {-0.001, " -0.0"}, {0.001, "  0.0"},
        {0.0, "  0.0"},    {-123.45, "-123.5"},
        {0.25, "  0.2"}, // an exact tie rounds to even, as printf does
        {0.35, "  0.3"}, // 0.35 is stored a little below
        {190.3, "190.3"},  {1e20, "100000000000000000000.0"},
    };
    for (const RealCase& c : cases)
        EXPECT_EQ(formatR5(c.value), QLatin1String(c.r5)) << c.value;
}

ChartSeries makeSeries(std::vector<double> x, std::vector<double> y) {
    ChartSeries s;
    s.x = std::move(x);
    s.y = std::move(y);
    return s;
}

struct BlockCase {
    const char* name;
    std::uint16_t blockNumber;
    bool saveAverage;
    bool singleChannel;
    bool wavelengthUnits;
    std::int32_t pixelCount;
    std::int32_t averaging;
    ChartSeries series0;
    ChartSeries series1;
    RawDataValues seriesData;
    std::string expected;
};

class ScanBlockKinds : public ::testing::TestWithParam<BlockCase> {};

TEST_P(ScanBlockKinds, WritesTheBlockByteForByte) {
    const BlockCase& c = GetParam();
    const ScanBlockInputs in{c.blockNumber,     c.saveAverage, c.singleChannel,
                             c.wavelengthUnits, c.pixelCount,  c.averaging,
                             c.series0,         c.series1,     c.seriesData};
    EXPECT_EQ(ScanBlockText(in).toStdString(), c.expected);
}

// The series hold pixelCount + 2 points as the chart set-up makes them; the points past the
// pixel count carry values that must not appear in any block.
const std::vector<BlockCase> blockCases = {
    {"AverageOneChannelPixelNumbers",
     0,
     true,
     true,
     false,
     3,
     1,
     makeSeries({0, 1, 2, 3, 0}, {12.0, 13.46, 11.0, 99, 99}),
     makeSeries({0, 1, 2, 3, 0}, {-0.001, -0.001, -0.001, 99, 99}),
     {{1, 2, 3}},
     "Scan 0,   \r\n0, 12.0\n1, 13.5\n2, 11.0\n\r\n"},
    {"AverageOneChannelNanometres",
     4,
     true,
     true,
     true,
     3,
     1,
     makeSeries({190.3, 190.84, 191.36, 191.9, 0}, {12.0, 0.001, -0.001, 99, 99}),
     makeSeries({0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}),
     {{1, 2, 3}},
     "Scan 4,   \r\n190.3, 12.0\n190.8,  0.0\n191.4, -0.0\n\r\n"},
    {"AverageTwoChannels",
     65535,
     true,
     false,
     false,
     2,
     1,
     makeSeries({0, 1, 2, 0}, {12.0, 4095.04, 99, 99}),
     makeSeries({0, 1, 2, 0}, {-0.001, 7.25, 99, 99}),
     {{1, 2}},
     "Scan 65535,   \r\n0, 12.0, -0.0\n1,4095.0,  7.2\n\r\n"},
    {"IndividualOneChannelPixelNumbers",
     1,
     false,
     true,
     false,
     3,
     2,
     makeSeries({0, 1, 2, 3, 0}, {5, 5, 5, 5, 5}),
     makeSeries({0, 1, 2, 3, 0}, {0, 0, 0, 0, 0}),
     {{100, 65535, 7}, {200, 0, 123456}},
     "Scan 1,   \r\n0,  0.0,  100,  200,\r\n1,  1.0,65535,    0,\r\n2,  2.0,    7,123456,\r\n"
     "\r\n"},
    {"IndividualOneChannelNanometres",
     2,
     false,
     true,
     true,
     2,
     1,
     makeSeries({190.3, 190.84, 0, 0}, {5, 5, 5, 5}),
     makeSeries({0, 0, 0, 0}, {0, 0, 0, 0}),
     {{10, 20}},
     "Scan 2,   \r\n0,190.3,   10,\r\n1,190.8,   20,\r\n\r\n"},
    {"IndividualTwoChannels",
     3,
     false,
     false,
     false,
     2,
     2,
     makeSeries({0, 1, 2, 0}, {12.0, 13.46, 99, 99}),
     makeSeries({0, 1, 2, 0}, {1, 1, 1, 1}),
     {{100, 101}, {200, 201}},
     "Scan 3,   \r\n0,  100, 12.0,1,  101, 13.5\r\n0,  200, 12.0,1,  201, 13.5\r\n\r\n"},
    {"MissingValuesAreZero",
     0,
     false,
     true,
     false,
     3,
     2,
     makeSeries({0, 1}, {5, 5}),
     makeSeries({}, {}),
     {{100, 101}},
     "Scan 0,   \r\n0,  0.0,  100,    0,\r\n1,  1.0,  101,    0,\r\n2,  0.0,    0,    0,\r\n"
     "\r\n"},
    {"MissingChannelTwoIsZero",
     0,
     true,
     false,
     false,
     2,
     1,
     makeSeries({0}, {3}),
     makeSeries({}, {}),
     {},
     "Scan 0,   \r\n0,  3.0,  0.0\n1,  0.0,  0.0\n\r\n"},
    {"NoPixelsGiveHeaderAndEmptyLine",
     9,
     true,
     true,
     false,
     -1,
     1,
     makeSeries({0}, {1}),
     makeSeries({0}, {1}),
     {{1}},
     "Scan 9,   \r\n\r\n"},
    {"NoScansGiveNoIndividualTwoChannelLines",
     0,
     false,
     false,
     false,
     2,
     0,
     makeSeries({0, 1}, {1, 1}),
     makeSeries({0, 1}, {1, 1}),
     {},
     "Scan 0,   \r\n\r\n"},
};

INSTANTIATE_TEST_SUITE_P(All, ScanBlockKinds, ::testing::ValuesIn(blockCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Restores the default locale however the test ends.
class DefaultLocale {
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(saved); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale saved;
};

TEST(ScanBlockNumbers, UseAPointUnderACommaLocale) {
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    EXPECT_EQ(formatR5(12.34), QStringLiteral(" 12.3"));
    EXPECT_EQ(formatI5(65535), QStringLiteral("65535"));
    const ChartSeries s = makeSeries({190.3, 0, 0}, {1234.56, 0, 0});
    const RawDataValues data = {{1}};
    EXPECT_EQ(ScanBlockText({0, true, true, true, 1, 1, s, s, data}).toStdString(),
              "Scan 0,   \r\n190.3,1234.6\n\r\n");
}

TEST(ScanBlockText, LargeIndividualBlockHasOneLinePerScan) {
    constexpr std::int32_t P = 8192;
    constexpr std::int32_t Scans = 100;
    ChartSeries s;
    s.appendPoints(P + 2);
    const RawDataValues data(Scans, std::vector<std::int32_t>(P, 65535));
    const QByteArray block = ScanBlockText({0, false, false, false, P, Scans, s, s, data});
    EXPECT_EQ(block.count("\r\n"), Scans + 2);
    EXPECT_TRUE(block.endsWith(",8191,65535,  0.0\r\n\r\n"));
}

} // namespace
