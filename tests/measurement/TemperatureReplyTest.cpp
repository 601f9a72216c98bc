#include "measurement/TemperatureReply.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct SplitCase {
    const char* name;
    const wchar_t* reply;
    std::array<std::int32_t, 3> readings;
};

class SplitTemperatureReplyTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTemperatureReplyTest, GivesTheThreeReadings) {
    EXPECT_EQ(SplitTemperatureReply(GetParam().reply), GetParam().readings);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, SplitTemperatureReplyTest,
    ::testing::Values(
        SplitCase{"SingleBlanks", L"812 905 1013 ", {812, 905, 1013}},
        SplitCase{"RunsOfBlanks", L"812   905    1013 ", {812, 905, 1013}},
        SplitCase{"NonDigitsDropped", L"-12 12.5 7 ", {12, 125, 7}},
        // The last reading runs into the end of the text: its digits count.
        SplitCase{"LastReadingEndsAtEndOfText", L"812 905 1013", {812, 905, 1013}},
        // Only 20 characters are read: "123456" is cut to "1234".
        SplitCase{"OnlyTwentyCharactersRead", L"1234567 2345678 123456 ", {1234567, 2345678, 1234}},
        SplitCase{"LargestInt32Reading", L"2147483647 1 2 ", {2147483647, 1, 2}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

struct FailCase {
    const char* name;
    const wchar_t* reply;
    const char* message;
    std::array<std::int32_t, 3> storedBefore;
};

class StoreTemperatureReadingsTest : public ::testing::TestWithParam<FailCase> {};

// Readings converted before the failing one stay stored; the rest keep their old values.
TEST_P(StoreTemperatureReadingsTest, FailsAtTheBadReadingKeepingThoseBefore) {
    std::array<std::int32_t, 3> readings{-1, -1, -1};
    try {
        StoreTemperatureReadings(GetParam().reply, readings);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
    EXPECT_EQ(readings, GetParam().storedBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, StoreTemperatureReadingsTest,
    ::testing::Values(
        FailCase{"LeadingBlankFailsFirst",
                 L" 812 905 1013 ",
                 "'' is not a valid integer value",
                 {-1, -1, -1}},
        FailCase{"SecondBeyondInt32Fails",
                 L"812 2147483648 1 ",
                 "'2147483648' is not a valid integer value",
                 {812, -1, -1}},
        FailCase{
            "MissingThirdFails", L"812 905 ", "'' is not a valid integer value", {812, 905, -1}},
        FailCase{"SecondWithoutDigitsFails",
                 L"812 x 905 ",
                 "'' is not a valid integer value",
                 {812, -1, -1}},
        FailCase{"EmptyReplyFails", L"", "'' is not a valid integer value", {-1, -1, -1}},
        // No blank within the 20 characters: all of them form the first reading.
        FailCase{"NoBlankInTwentyCharactersFailsFirst",
                 L"12345678901234567890 1 2 ",
                 "'12345678901234567890' is not a valid integer value",
                 {-1, -1, -1}}),
    [](const ::testing::TestParamInfo<FailCase>& info) { return std::string(info.param.name); });

struct TemperatureCase {
    const char* name;
    std::int32_t raw, cal10, cal50;
    std::optional<std::int32_t> degrees;
};

class SensorTemperatureTest : public ::testing::TestWithParam<TemperatureCase> {};

TEST_P(SensorTemperatureTest, InterpolatesBetweenTheCalibrationPoints) {
    const auto& c = GetParam();
    EXPECT_EQ(SensorTemperature(c.raw, c.cal10, c.cal50), c.degrees);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, SensorTemperatureTest,
    ::testing::Values(TemperatureCase{"AtTheTenDegreePoint", 1000, 1000, 1400, 10},
                      TemperatureCase{"AtTheFiftyDegreePoint", 1400, 1000, 1400, 50},
                      TemperatureCase{"BetweenThePoints", 1135, 1000, 1400, 23},
                      // Truncation toward zero below the 10 degC point.
                      TemperatureCase{"JustBelowTenTruncatesTowardZero", 995, 1000, 1400, 10},
                      TemperatureCase{"FurtherBelowTenGivesNine", 985, 1000, 1400, 9},
                      // A falling sensor gives a negative step.
                      TemperatureCase{"FallingSensorGivesNegativeStep", 1200, 1400, 1000, 30},
                      // Readings less than 40 apart: no step.
                      TemperatureCase{"PointsUnderFortyApartGiveNoValue", 1000, 1000, 1039,
                                      std::nullopt},
                      TemperatureCase{"EqualPointsGiveNoValue", 1000, 1000, 1000, std::nullopt},
                      // Far apart extremes stay in 64 bits; a result beyond 32 bits is no value.
                      TemperatureCase{"ResultBeyond32BitsGivesNoValue", 2147483647, -2147483647 - 1,
                                      -2147483647 - 1 + 40, std::nullopt},
                      TemperatureCase{"FarApartExtremesStayIn64Bits", -2147483647 - 1, 2147483647,
                                      -2147483647 - 1, 50}),
    [](const ::testing::TestParamInfo<TemperatureCase>& info) {
        return std::string(info.param.name);
    });

TEST(TemperaturePanelText, NamesTheSensor) {
    EXPECT_EQ(TemperaturePanelText(1, 23), "T1 is 23");
    EXPECT_EQ(TemperaturePanelText(3, -4), "T3 is -4");
    EXPECT_EQ(TemperaturePanelText(2, std::nullopt), "T2 is ?");
}

} // namespace
