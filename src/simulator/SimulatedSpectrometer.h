#pragma once

#include "camera/ICameraServer.h"
#include "simulator/SimulatorSettings.h"

#include <array>
#include <chrono>
#include <optional>
#include <random>

// A camera server whose devices are simulated line-array spectrometers looking at a
// mercury-argon lamp (SimulatedOptics). Each listed device keeps its own settings and last
// measurement; all state lives in the instance, which is used from one thread.
class SimulatedSpectrometer final : public ICameraServer {
public:
    explicit SimulatedSpectrometer(SimulatorSettings settings);

    ServerStatus GetDeviceList(std::vector<std::wstring>& list) override;
    ServerStatus SetAveraging(const std::wstring& name, std::int32_t count) override;
    ServerStatus SetIntegrationTime(const std::wstring& name, std::int32_t milliseconds) override;
    ServerStatus SetMode(const std::wstring& name, std::int32_t code) override;
    ServerStatus Measure(const std::wstring& name) override;
    ServerStatus ReadData(const std::wstring& name, std::int32_t zero, CountArray& data) override;
    ServerStatus OpenDevice(const std::wstring& name, std::int32_t& resolution,
                            std::int32_t& pixelCount, std::int32_t& clock) override;
    ServerStatus CloseDevice(const std::wstring& name) override;
    ServerStatus SendCommand(const std::wstring& name, const std::wstring& command,
                             std::wstring& reply) override;

    const SimulatorSettings& settings() const { return settings_; }

    static constexpr std::int32_t ClockMicroseconds = 2;
    static constexpr std::int32_t MaxIntegrationMs = 60000;
    // Averaging is refused when a block would exceed this many elements.
    static constexpr std::size_t MaxBlockElements = std::size_t{1} << 24;
    // Trigger mode 4 sums this many triggered exposures into one readout.
    static constexpr int PulsesPerReadout = 4;
    static constexpr double HighGainFactor = 4.0;
    // Noise model in counts of a 16-bit converter, scaled like the signal to other bit depths.
    static constexpr double DarkOffset = 1000.0;
    static constexpr double DarkCurrentRate = 5.0; // counts per ms
    static constexpr double ReadNoise = 8.0;
    // Temperature sensors: raw reading = TemperatureRawOffset + TemperatureRawPerDegree * degC.
    static constexpr int TemperatureRawOffset = 500;
    static constexpr int TemperatureRawPerDegree = 20;

private:
    struct Device {
        std::int32_t averaging = 1;
        std::int32_t integrationMs = 1;
        std::int32_t triggerMode = 1;
        bool highGain = false;
        bool open = false;
        std::optional<CountArray> lastBlock;
    };

    // The checks every operation makes first: a configuration error, an injected failure, then
    // (when name is given) the device name.
    ServerStatus admit(SimulatorOperation operation, const std::wstring* name, Device*& device);
    void waitForExposures(const Device& device);
    CountArray takeScans(const Device& device);
    double temperature(int sensor) const;

    SimulatorSettings settings_;
    std::wstring refusal_; // the configuration error every operation reports
    std::vector<Device> devices_;
    std::vector<double> rates_; // noise-free counts per ms of each element
    std::array<std::uint64_t, SimulatorOperationCount> calls_{};
    std::mt19937_64 random_;
    std::chrono::steady_clock::time_point origin_;
};
