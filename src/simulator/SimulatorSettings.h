#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The simulated spectrometer's configuration, read from HALVANE_SIM_* environment variables.
// A bad value is never replaced by a default: it is kept as `error`, and the server built from
// such settings fails every operation with that text.

enum class SimulatorLayout {
    Single, // one channel, element k = pixel k
    Halves, // two interleaved channels: the detector's first half and its second half reversed
    Dual,   // two interleaved channels over the same range, channel 2 delivered last pixel first
};

// The nine camera-server operations, in interface order.
enum class SimulatorOperation {
    GetDeviceList,
    SetAveraging,
    SetIntegrationTime,
    SetMode,
    Measure,
    ReadData,
    OpenDevice,
    CloseDevice,
    SendCommand,
};
inline constexpr std::size_t SimulatorOperationCount = 9;
const char* operationName(SimulatorOperation operation);

struct SimulatedFailure {
    SimulatorOperation operation = SimulatorOperation::Measure;
    std::optional<std::uint64_t> onlyCall; // 1-based call number; empty: every call
};

struct SimulatorSettings {
    std::vector<std::wstring> devices{L"Halvane Simulator"};
    SimulatorLayout layout = SimulatorLayout::Halves;
    int pixels = 2048;
    int bits = 16;
    double triggerHz = 5.0;
    std::vector<SimulatedFailure> failures;
    std::optional<std::uint64_t> seed; // empty: seeded from std::random_device
    std::string error;                 // UTF-8; non-empty: the first refused variable and why

    static constexpr int MinPixels = 16;
    static constexpr int MaxPixels = 16384;
    static constexpr int MinBits = 8;
    static constexpr int MaxBits = 31;
    static constexpr double MinTriggerHz = 0.01;
    static constexpr double MaxTriggerHz = 100000.0;

    // An unset or empty variable keeps its default.
    static SimulatorSettings fromEnvironment();
};

// The names of every variable fromEnvironment reads.
inline constexpr std::array<const char*, 7> SimulatorVariables{
    "HALVANE_SIM_DEVICES",    "HALVANE_SIM_LAYOUT", "HALVANE_SIM_PIXELS", "HALVANE_SIM_BITS",
    "HALVANE_SIM_TRIGGER_HZ", "HALVANE_SIM_FAIL",   "HALVANE_SIM_SEED",
};

// Decodes UTF-8; invalid bytes become U+FFFD and make the result false.
bool decodeUtf8(std::string_view text, std::wstring& decoded);
