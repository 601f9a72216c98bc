#include "SimulatorFixture.h"

#include "simulator/SimulatedOptics.h"

#include <algorithm>
#include <functional>
#include <regex>
#include <string>

namespace {

struct NamedCall {
    const char* operation;
    std::function<ServerStatus(ICameraServer&, const std::wstring&)> call;
};

// One call of every operation that takes a device name.
std::vector<NamedCall> namedCalls() {
    return {
        {"SetAveraging",
         [](ICameraServer& s, const std::wstring& n) { return s.SetAveraging(n, 1); }},
        {"SetIntegrationTime",
         [](ICameraServer& s, const std::wstring& n) { return s.SetIntegrationTime(n, 1); }},
        {"SetMode", [](ICameraServer& s, const std::wstring& n) { return s.SetMode(n, 1); }},
        {"Measure", [](ICameraServer& s, const std::wstring& n) { return s.Measure(n); }},
        {"ReadData",
         [](ICameraServer& s, const std::wstring& n) {
             CountArray data;
             return s.ReadData(n, 0, data);
         }},
        {"OpenDevice",
         [](ICameraServer& s, const std::wstring& n) {
             std::int32_t resolution = 0, pixels = 0, clock = 0;
             return s.OpenDevice(n, resolution, pixels, clock);
         }},
        {"CloseDevice", [](ICameraServer& s, const std::wstring& n) { return s.CloseDevice(n); }},
        {"SendCommand",
         [](ICameraServer& s, const std::wstring& n) {
             std::wstring reply;
             return s.SendCommand(n, L"J", reply);
         }},
    };
}

// Mean counts above the dark offset at the brightest element.
double lineHeight(const CountArray& block) {
    const std::vector<double> mean = meanScan(block);
    return *std::max_element(mean.begin(), mean.end()) - SimulatedSpectrometer::DarkOffset;
}

} // namespace

using SimulatedSpectrometerTest = SimulatorFixture;

TEST_F(SimulatedSpectrometerTest, ReportsItsDevicesAndOpensWithTheirProperties) {
    set("HALVANE_SIM_DEVICES", "TESTPORT,Second");
    set("HALVANE_SIM_PIXELS", "512");
    set("HALVANE_SIM_BITS", "12");
    auto server = makeServer();
    std::vector<std::wstring> list;
    ASSERT_TRUE(server->GetDeviceList(list).ok);
    EXPECT_EQ(list, (std::vector<std::wstring>{L"TESTPORT", L"Second"}));
    std::int32_t resolution = 0, pixels = 0, clock = 0;
    ASSERT_TRUE(server->OpenDevice(L"TESTPORT", resolution, pixels, clock).ok);
    EXPECT_EQ(resolution, 12);
    EXPECT_EQ(pixels, 512);
    EXPECT_EQ(clock, SimulatedSpectrometer::ClockMicroseconds);
}

TEST_F(SimulatedSpectrometerTest, EveryNamedOperationRefusesAnUnknownDevice) {
    auto server = makeServer();
    for (const NamedCall& named : namedCalls()) {
        const ServerStatus status = named.call(*server, L"Other Camera");
        EXPECT_FALSE(status.ok) << named.operation;
        EXPECT_NE(status.description.find(L"'Other Camera'"), std::wstring::npos)
            << named.operation;
    }
}

TEST_F(SimulatedSpectrometerTest, DevicesKeepTheirOwnSettings) {
    set("HALVANE_SIM_DEVICES", "First,Second");
    set("HALVANE_SIM_PIXELS", "64");
    auto server = makeServer();
    std::int32_t resolution = 0, pixels = 0, clock = 0;
    ASSERT_TRUE(server->OpenDevice(L"First", resolution, pixels, clock).ok);
    ASSERT_TRUE(server->OpenDevice(L"Second", resolution, pixels, clock).ok);
    ASSERT_TRUE(server->SetAveraging(L"First", 3).ok);
    ASSERT_TRUE(server->SetAveraging(L"Second", 5).ok);
    ASSERT_TRUE(server->Measure(L"First").ok);
    ASSERT_TRUE(server->Measure(L"Second").ok);
    CountArray first, second;
    ASSERT_TRUE(server->ReadData(L"First", 0, first).ok);
    ASSERT_TRUE(server->ReadData(L"Second", 0, second).ok);
    EXPECT_EQ(first.rows(), 3u);
    EXPECT_EQ(second.rows(), 5u);
}

TEST_F(SimulatedSpectrometerTest, ReadDataReturnsAveragingRowsOfEveryElement) {
    set("HALVANE_SIM_PIXELS", "256");
    auto server = makeServer();
    const CountArray block = measureOnce(*server, 1, 3);
    ASSERT_EQ(block.dimensions(), 2u);
    EXPECT_EQ(block.rows(), 3u);
    EXPECT_EQ(block.columns(), 256u);
    EXPECT_EQ(block.values.size(), 3u * 256u);
    // The block is that of the last Measure, so reading it again gives the same counts.
    CountArray again;
    ASSERT_TRUE(server->ReadData(deviceName(), 0, again).ok);
    EXPECT_EQ(again.values, block.values);
}

TEST_F(SimulatedSpectrometerTest, AveragingZeroGivesAnEmptyBlock) {
    auto server = makeServer();
    const CountArray block = measureOnce(*server, 0, 0);
    EXPECT_EQ(block.dimensions(), 2u);
    EXPECT_EQ(block.rows(), 0u);
    EXPECT_EQ(block.columns(), 2048u);
    EXPECT_TRUE(block.values.empty());
}

TEST_F(SimulatedSpectrometerTest, RefusesMeasuringAClosedDeviceAndReadingWithoutMeasurement) {
    auto server = makeServer();
    CountArray data;
    EXPECT_FALSE(server->Measure(deviceName()).ok);
    std::int32_t resolution = 0, pixels = 0, clock = 0;
    ASSERT_TRUE(server->OpenDevice(deviceName(), resolution, pixels, clock).ok);
    EXPECT_FALSE(server->ReadData(deviceName(), 0, data).ok);
    ASSERT_TRUE(server->Measure(deviceName()).ok);
    const ServerStatus nonZero = server->ReadData(deviceName(), 1, data);
    EXPECT_FALSE(nonZero.ok);
    EXPECT_FALSE(nonZero.description.empty());
    ASSERT_TRUE(server->CloseDevice(deviceName()).ok);
    EXPECT_FALSE(server->ReadData(deviceName(), 0, data).ok);
    EXPECT_FALSE(server->Measure(deviceName()).ok);
    // The thermal build's exit sends mode codes after closing, and a second close is harmless.
    EXPECT_TRUE(server->SetMode(deviceName(), 160).ok);
    EXPECT_TRUE(server->CloseDevice(deviceName()).ok);
}

TEST_F(SimulatedSpectrometerTest, RefusesSettingsOutOfRange) {
    auto server = makeServer();
    const std::size_t limit = SimulatedSpectrometer::MaxBlockElements / 2048;
    EXPECT_FALSE(server->SetAveraging(deviceName(), -1).ok);
    EXPECT_FALSE(server->SetAveraging(deviceName(), std::int32_t(limit + 1)).ok);
    EXPECT_TRUE(server->SetAveraging(deviceName(), std::int32_t(limit)).ok);
    EXPECT_FALSE(server->SetIntegrationTime(deviceName(), -1).ok);
    EXPECT_FALSE(
        server->SetIntegrationTime(deviceName(), SimulatedSpectrometer::MaxIntegrationMs + 1).ok);
    EXPECT_TRUE(server->SetIntegrationTime(deviceName(), 0).ok);
}

TEST_F(SimulatedSpectrometerTest, AcceptsTheKnownModeCodesOnly) {
    auto server = makeServer();
    for (std::int32_t code : {1, 3, 4, 64, 65, 160, 162})
        EXPECT_TRUE(server->SetMode(deviceName(), code).ok) << code;
    for (std::int32_t code : {0, 2, 5, 63, 66, 161, -1}) {
        const ServerStatus status = server->SetMode(deviceName(), code);
        EXPECT_FALSE(status.ok) << code;
        EXPECT_NE(status.description.find(std::to_wstring(code)), std::wstring::npos);
    }
}

TEST_F(SimulatedSpectrometerTest, StrongLinesStandOutBelowSaturationAtShortTimes) {
    auto server = makeServer();
    const CountArray block = measureOnce(*server, 1, 2);
    const auto [low, high] = std::minmax_element(block.values.begin(), block.values.end());
    EXPECT_GT(*low, 0);
    EXPECT_LT(*high, 65535);
    EXPECT_GT(lineHeight(block), 2000.0);
}

struct SaturationCase {
    const char* name;
    const char* bits;
    std::int32_t fullScale;
};

class SimulatedSaturationTest : public SimulatorFixture,
                                public ::testing::WithParamInterface<SaturationCase> {};

TEST_P(SimulatedSaturationTest, ClampsAtTheTopOfTheConverterRange) {
    set("HALVANE_SIM_BITS", GetParam().bits);
    auto server = makeServer();
    ASSERT_TRUE(server->SetMode(deviceName(), 64).ok);
    const CountArray block = measureOnce(*server, 20, 1);
    const auto [low, high] = std::minmax_element(block.values.begin(), block.values.end());
    EXPECT_EQ(*high, GetParam().fullScale);
    EXPECT_GE(*low, 0);
    // A saturated line is flat: several neighbouring pixels hold the full-scale value.
    EXPECT_GT(std::count(block.values.begin(), block.values.end(), GetParam().fullScale), 10);
}

INSTANTIATE_TEST_SUITE_P(Bits, SimulatedSaturationTest,
                         ::testing::Values(SaturationCase{"SixteenBits", "16", 65535},
                                           SaturationCase{"TwelveBits", "12", 4095},
                                           SaturationCase{"TwentyBits", "20", 1048575}),
                         [](const ::testing::TestParamInfo<SaturationCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SimulatedSpectrometerTest, HighGainMultipliesTheSignalAndNormalGainRestoresIt) {
    auto server = makeServer();
    const double normal = lineHeight(measureOnce(*server, 1, 4));
    ASSERT_TRUE(server->SetMode(deviceName(), 64).ok);
    const double high = lineHeight(measureOnce(*server, 1, 4));
    ASSERT_TRUE(server->SetMode(deviceName(), 65).ok);
    const double restored = lineHeight(measureOnce(*server, 1, 4));
    EXPECT_NEAR(high / normal, SimulatedSpectrometer::HighGainFactor, 0.3);
    EXPECT_NEAR(restored / normal, 1.0, 0.1);
}

TEST_F(SimulatedSpectrometerTest, TriggerModesReturnAndMultipleTriggerSumsPulses) {
    set("HALVANE_SIM_TRIGGER_HZ", "2000");
    auto server = makeServer();
    ASSERT_TRUE(server->SetMode(deviceName(), 3).ok);
    const CountArray single = measureOnce(*server, 1, 3);
    ASSERT_TRUE(server->SetMode(deviceName(), 4).ok);
    const CountArray multiple = measureOnce(*server, 1, 3);
    EXPECT_EQ(single.rows(), 3u);
    EXPECT_EQ(multiple.rows(), 3u);
    EXPECT_NEAR(lineHeight(multiple) / lineHeight(single),
                double(SimulatedSpectrometer::PulsesPerReadout), 0.3);
}

TEST_F(SimulatedSpectrometerTest, TheSameSeedGivesTheSameScans) {
    auto first = makeServer();
    auto second = makeServer();
    set("HALVANE_SIM_SEED", "54321");
    auto other = makeServer();
    const CountArray reference = measureOnce(*first);
    EXPECT_EQ(measureOnce(*second).values, reference.values);
    EXPECT_NE(measureOnce(*other).values, reference.values);
}

TEST_F(SimulatedSpectrometerTest, InjectedFailureHitsOnlyTheNthCall) {
    set("HALVANE_SIM_FAIL", "Measure:2,GetDeviceList:1");
    auto server = makeServer();
    std::vector<std::wstring> list;
    const ServerStatus listed = server->GetDeviceList(list);
    EXPECT_FALSE(listed.ok);
    EXPECT_EQ(listed.description, L"Simulated failure of GetDeviceList");
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(server->GetDeviceList(list).ok);
    std::int32_t resolution = 0, pixels = 0, clock = 0;
    ASSERT_TRUE(server->OpenDevice(deviceName(), resolution, pixels, clock).ok);
    EXPECT_TRUE(server->Measure(deviceName()).ok);
    const ServerStatus second = server->Measure(deviceName());
    EXPECT_FALSE(second.ok);
    EXPECT_EQ(second.description, L"Simulated failure of Measure");
    EXPECT_TRUE(server->Measure(deviceName()).ok);
}

TEST_F(SimulatedSpectrometerTest, InjectedFailureWithoutCallNumberHitsEveryCall) {
    set("HALVANE_SIM_FAIL", "SetMode,ReadData:1");
    auto server = makeServer();
    for (int i = 0; i < 3; ++i) {
        const ServerStatus status = server->SetMode(deviceName(), 1);
        EXPECT_FALSE(status.ok);
        EXPECT_EQ(status.description, L"Simulated failure of SetMode");
    }
    EXPECT_TRUE(server->SetAveraging(deviceName(), 1).ok);
}

TEST_F(SimulatedSpectrometerTest, EveryOperationFailsWithTheConfigurationError) {
    set("HALVANE_SIM_PIXELS", "many");
    auto server = makeServer();
    std::vector<std::wstring> list;
    const ServerStatus listed = server->GetDeviceList(list);
    EXPECT_FALSE(listed.ok);
    EXPECT_EQ(listed.description.rfind(L"HALVANE_SIM_PIXELS: ", 0), 0u);
    for (const NamedCall& named : namedCalls()) {
        const ServerStatus status = named.call(*server, deviceName());
        EXPECT_FALSE(status.ok) << named.operation;
        EXPECT_EQ(status.description, listed.description) << named.operation;
    }
}

TEST_F(SimulatedSpectrometerTest, TemperatureReplyHoldsThreePlausibleReadings) {
    auto server = makeServer();
    const std::wregex format(L"(\\d+ ){3}");
    const std::wregex number(L"\\d+");
    std::vector<std::vector<long>> replies;
    for (int i = 0; i < 2; ++i) {
        std::wstring reply;
        ASSERT_TRUE(server->SendCommand(deviceName(), L"J", reply).ok);
        EXPECT_TRUE(std::regex_match(reply, format)) << reply.size();
        EXPECT_LE(reply.size(), 20u);
        std::vector<long> raw;
        for (std::wsregex_iterator it(reply.begin(), reply.end(), number), end; it != end; ++it)
            raw.push_back(std::stol(it->str()));
        ASSERT_EQ(raw.size(), 3u);
        for (long reading : raw) {
            const double degrees = double(reading - SimulatedSpectrometer::TemperatureRawOffset) /
                                   SimulatedSpectrometer::TemperatureRawPerDegree;
            EXPECT_GT(degrees, 18.0);
            EXPECT_LT(degrees, 32.0);
        }
        replies.push_back(raw);
    }
    // The readings drift slowly: two replies in a row are a degree apart at most.
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_LE(std::abs(replies[0][k] - replies[1][k]),
                  SimulatedSpectrometer::TemperatureRawPerDegree);
}

TEST_F(SimulatedSpectrometerTest, RefusesCommandsOtherThanJ) {
    auto server = makeServer();
    for (const wchar_t* command : {L"j", L"JJ", L"", L"K"}) {
        std::wstring reply = L"unchanged";
        const ServerStatus status = server->SendCommand(deviceName(), command, reply);
        EXPECT_FALSE(status.ok);
        EXPECT_FALSE(status.description.empty());
        EXPECT_EQ(reply, L"unchanged");
    }
}
