#include "SimulatorFixture.h"

using SimulatorSettingsTest = SimulatorFixture;

TEST_F(SimulatorSettingsTest, UnsetOrEmptyVariablesKeepTheDefaults) {
    unsetenv("HALVANE_SIM_SEED");
    set("HALVANE_SIM_PIXELS", "");
    const SimulatorSettings settings = SimulatorSettings::fromEnvironment();
    EXPECT_EQ(settings.error, "");
    EXPECT_EQ(settings.devices, std::vector<std::wstring>{L"Halvane Simulator"});
    EXPECT_EQ(settings.layout, SimulatorLayout::Halves);
    EXPECT_EQ(settings.pixels, 2048);
    EXPECT_EQ(settings.bits, 16);
    EXPECT_DOUBLE_EQ(settings.triggerHz, 5.0);
    EXPECT_TRUE(settings.failures.empty());
    EXPECT_FALSE(settings.seed.has_value());
}

TEST_F(SimulatorSettingsTest, ReadsEveryVariable) {
    set("HALVANE_SIM_DEVICES", "TESTPORT,Spektrometer \xC3\x84");
    set("HALVANE_SIM_LAYOUT", "single");
    set("HALVANE_SIM_PIXELS", "1023");
    set("HALVANE_SIM_BITS", "12");
    set("HALVANE_SIM_TRIGGER_HZ", "2.5");
    set("HALVANE_SIM_FAIL", "Measure:2,SetMode,SendCommand:7");
    set("HALVANE_SIM_SEED", "18446744073709551615");
    const SimulatorSettings settings = SimulatorSettings::fromEnvironment();
    ASSERT_EQ(settings.error, "");
    EXPECT_EQ(settings.devices, (std::vector<std::wstring>{L"TESTPORT", L"Spektrometer \u00C4"}));
    EXPECT_EQ(settings.layout, SimulatorLayout::Single);
    EXPECT_EQ(settings.pixels, 1023);
    EXPECT_EQ(settings.bits, 12);
    EXPECT_DOUBLE_EQ(settings.triggerHz, 2.5);
    ASSERT_EQ(settings.failures.size(), 3u);
    EXPECT_EQ(settings.failures[0].operation, SimulatorOperation::Measure);
    EXPECT_EQ(settings.failures[0].onlyCall, std::optional<std::uint64_t>(2));
    EXPECT_EQ(settings.failures[1].operation, SimulatorOperation::SetMode);
    EXPECT_FALSE(settings.failures[1].onlyCall.has_value());
    EXPECT_EQ(settings.failures[2].operation, SimulatorOperation::SendCommand);
    EXPECT_EQ(settings.failures[2].onlyCall, std::optional<std::uint64_t>(7));
    EXPECT_EQ(settings.seed, std::optional<std::uint64_t>(18446744073709551615u));
}

TEST_F(SimulatorSettingsTest, EveryOperationNameIsAccepted) {
    set("HALVANE_SIM_FAIL", "GetDeviceList,SetAveraging,SetIntegrationTime,SetMode,Measure,"
                            "ReadData,OpenDevice,CloseDevice,SendCommand");
    const SimulatorSettings settings = SimulatorSettings::fromEnvironment();
    ASSERT_EQ(settings.error, "");
    ASSERT_EQ(settings.failures.size(), SimulatorOperationCount);
    for (std::size_t i = 0; i < SimulatorOperationCount; ++i)
        EXPECT_EQ(settings.failures[i].operation, static_cast<SimulatorOperation>(i));
}

struct BadValue {
    const char* variable;
    const char* value;
    const char* layout = nullptr; // HALVANE_SIM_LAYOUT to set alongside, if any
};

class SimulatorBadValueTest : public SimulatorFixture,
                              public ::testing::WithParamInterface<BadValue> {};

TEST_P(SimulatorBadValueTest, IsRefusedWithAMessageNamingTheVariable) {
    const BadValue& bad = GetParam();
    if (bad.layout)
        set("HALVANE_SIM_LAYOUT", bad.layout);
    set(bad.variable, bad.value);
    const SimulatorSettings settings = SimulatorSettings::fromEnvironment();
    EXPECT_EQ(settings.error.rfind(std::string(bad.variable) + ": ", 0), 0u) << settings.error;
}

INSTANTIATE_TEST_SUITE_P(
    Values, SimulatorBadValueTest,
    ::testing::Values(
        BadValue{"HALVANE_SIM_DEVICES", "A,,B"}, BadValue{"HALVANE_SIM_DEVICES", ","},
        BadValue{"HALVANE_SIM_DEVICES", "A,A"}, BadValue{"HALVANE_SIM_DEVICES", "bad \xFF name"},
        BadValue{"HALVANE_SIM_LAYOUT", "Halves"}, BadValue{"HALVANE_SIM_LAYOUT", "triple"},
        BadValue{"HALVANE_SIM_PIXELS", "abc"}, BadValue{"HALVANE_SIM_PIXELS", "2048x"},
        BadValue{"HALVANE_SIM_PIXELS", " 2048"}, BadValue{"HALVANE_SIM_PIXELS", "-2048"},
        BadValue{"HALVANE_SIM_PIXELS", "15"}, BadValue{"HALVANE_SIM_PIXELS", "16385"},
        BadValue{"HALVANE_SIM_PIXELS", "99999999999"}, BadValue{"HALVANE_SIM_PIXELS", "2047"},
        BadValue{"HALVANE_SIM_PIXELS", "2047", "dual"}, BadValue{"HALVANE_SIM_BITS", "7"},
        BadValue{"HALVANE_SIM_BITS", "32"}, BadValue{"HALVANE_SIM_BITS", "16.0"},
        BadValue{"HALVANE_SIM_TRIGGER_HZ", "0"}, BadValue{"HALVANE_SIM_TRIGGER_HZ", "-5"},
        BadValue{"HALVANE_SIM_TRIGGER_HZ", "fast"}, BadValue{"HALVANE_SIM_TRIGGER_HZ", "nan"},
        BadValue{"HALVANE_SIM_TRIGGER_HZ", "inf"}, BadValue{"HALVANE_SIM_TRIGGER_HZ", "5,5"},
        BadValue{"HALVANE_SIM_FAIL", "Measur"}, BadValue{"HALVANE_SIM_FAIL", "measure"},
        BadValue{"HALVANE_SIM_FAIL", "Measure,"}, BadValue{"HALVANE_SIM_FAIL", "Measure:0"},
        BadValue{"HALVANE_SIM_FAIL", "Measure:"}, BadValue{"HALVANE_SIM_FAIL", "Measure:two"},
        BadValue{"HALVANE_SIM_FAIL", "Measure:2, SetMode"}, BadValue{"HALVANE_SIM_SEED", "-1"},
        BadValue{"HALVANE_SIM_SEED", "12a"}),
    // The variable without its prefix and the case's number, e.g. PIXELS_6.
    [](const ::testing::TestParamInfo<BadValue>& info) {
        return std::string(info.param.variable).substr(std::string("HALVANE_SIM_").size()) + "_" +
               std::to_string(info.index);
    });

TEST_F(SimulatorSettingsTest, OddElementCountIsFineForOneChannel) {
    set("HALVANE_SIM_LAYOUT", "single");
    set("HALVANE_SIM_PIXELS", "2047");
    EXPECT_EQ(SimulatorSettings::fromEnvironment().error, "");
}

TEST_F(SimulatorSettingsTest, RefusalQuotesTheOffendingValue) {
    set("HALVANE_SIM_BITS", "sixteen");
    EXPECT_EQ(SimulatorSettings::fromEnvironment().error,
              "HALVANE_SIM_BITS: 'sixteen' is not a whole number from 8 to 31");
}

TEST(DecodeUtf8, ReplacesInvalidSequences) {
    std::wstring decoded;
    EXPECT_TRUE(decodeUtf8("a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80", decoded));
    EXPECT_EQ(decoded, L"a\u00E4\u20AC\U0001F600");
    // A truncated sequence, an overlong encoding and an encoded surrogate.
    EXPECT_FALSE(decodeUtf8("x\xC3", decoded));
    EXPECT_EQ(decoded, L"x\uFFFD");
    EXPECT_FALSE(decodeUtf8("\xC0\xAF", decoded));
    EXPECT_EQ(decoded, L"\uFFFD\uFFFD");
    EXPECT_FALSE(decodeUtf8("\xED\xA0\x80", decoded));
    EXPECT_EQ(decoded, L"\uFFFD\uFFFD\uFFFD");
}
