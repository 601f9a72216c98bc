#include "simulator/SimulatedSpectrometer.h"

#include "simulator/SimulatedOptics.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::int32_t InternalTrigger = 1;
constexpr std::int32_t ExternalTrigger = 3;
constexpr std::int32_t MultipleExternalTrigger = 4;
constexpr std::int32_t HighGain = 64;
constexpr std::int32_t NormalGain = 65;
constexpr std::int32_t RunEnd = 160;
constexpr std::int32_t RunStart = 162;

// Each sensor drifts around its own temperature, slowly enough that readings seconds apart
// differ by a fraction of a degree.
struct SensorDrift {
    double meanDegrees;
    double amplitudeDegrees;
    double periodSeconds;
    double phase;
};
constexpr std::array<SensorDrift, 3> Sensors{{
    {24.0, 0.8, 90.0, 0.0},
    {26.5, 0.6, 120.0, 1.0},
    {22.8, 1.0, 150.0, 2.0},
}};

std::wstring widened(const std::string& text) {
    std::wstring wide;
    decodeUtf8(text, wide);
    return wide;
}

std::uint64_t freshSeed() {
    std::random_device device;
    return (std::uint64_t{device()} << 32) ^ device();
}

} // namespace

SimulatedSpectrometer::SimulatedSpectrometer(SimulatorSettings settings)
    : settings_(std::move(settings)), devices_(settings_.devices.size()),
      random_(settings_.seed.value_or(freshSeed())), origin_(Clock::now()) {
    decodeUtf8(settings_.error, refusal_);
    if (settings_.error.empty())
        rates_ = SimulatedOptics::elementRates(settings_.layout, settings_.pixels);
}

ServerStatus SimulatedSpectrometer::admit(SimulatorOperation operation, const std::wstring* name,
                                          Device*& device) {
    if (!settings_.error.empty())
        return ServerStatus::failure(refusal_);
    const std::uint64_t call = ++calls_[static_cast<std::size_t>(operation)];
    for (const SimulatedFailure& failure : settings_.failures) {
        if (failure.operation == operation && failure.onlyCall.value_or(call) == call)
            return ServerStatus::failure(
                widened(std::string("Simulated failure of ") + operationName(operation)));
    }
    if (!name)
        return ServerStatus::success();
    const auto known = std::find(settings_.devices.begin(), settings_.devices.end(), *name);
    if (known == settings_.devices.end())
        return ServerStatus::failure(L"No simulated device is named '" + *name + L"'");
    device = &devices_[static_cast<std::size_t>(known - settings_.devices.begin())];
    return ServerStatus::success();
}

ServerStatus SimulatedSpectrometer::GetDeviceList(std::vector<std::wstring>& list) {
    Device* none = nullptr;
    if (auto status = admit(SimulatorOperation::GetDeviceList, nullptr, none); !status.ok)
        return status;
    list = settings_.devices;
    return ServerStatus::success();
}

ServerStatus SimulatedSpectrometer::SetAveraging(const std::wstring& name, std::int32_t count) {
    Device* device = nullptr;
    if (auto status = admit(SimulatorOperation::SetAveraging, &name, device); !status.ok)
        return status;
    const std::size_t limit = MaxBlockElements / static_cast<std::size_t>(settings_.pixels);
    if (count < 0 || static_cast<std::size_t>(count) > limit)
        return ServerStatus::failure(L"Averaging " + std::to_wstring(count) + L" is outside 0 to " +
                                     std::to_wstring(limit) + L" for " +
                                     std::to_wstring(settings_.pixels) + L" elements");
    device->averaging = count;
    return ServerStatus::success();
}

ServerStatus SimulatedSpectrometer::SetIntegrationTime(const std::wstring& name,
                                                       std::int32_t milliseconds) {
    Device* device = nullptr;
    if (auto status = admit(SimulatorOperation::SetIntegrationTime, &name, device); !status.ok)
        return status;
    if (milliseconds < 0 || milliseconds > MaxIntegrationMs)
        return ServerStatus::failure(L"Integration time " + std::to_wstring(milliseconds) +
                                     L" ms is outside 0 to " + std::to_wstring(MaxIntegrationMs) +
                                     L" ms");
    device->integrationMs = milliseconds;
    return ServerStatus::success();
}

ServerStatus SimulatedSpectrometer::SetMode(const std::wstring& name, std::int32_t code) {
    Device* device = nullptr;
    if (auto status = admit(SimulatorOperation::SetMode, &name, device); !status.ok)
        return status;
    switch (code) {
    case InternalTrigger:
    case ExternalTrigger:
    case MultipleExternalTrigger:
        device->triggerMode = code;
        break;
    case HighGain:
    case NormalGain:
        device->highGain = code == HighGain;
        break;
    case RunEnd:
    case RunStart:
        break;
    default:
        return ServerStatus::failure(L"Mode code " + std::to_wstring(code) +
                                     L" is not supported (1, 3, 4, 64, 65, 160, 162)");
    }
    return ServerStatus::success();
}

void SimulatedSpectrometer::waitForExposures(const Device& device) {
    const std::chrono::milliseconds exposure(device.integrationMs);
    if (device.triggerMode == InternalTrigger) {
        std::this_thread::sleep_for(exposure * device.averaging);
        return;
    }
    // Trigger pulses arrive on a fixed grid from the instance's creation; each one starts an
    // exposure, and the next exposure waits for the next pulse.
    const std::chrono::duration<double> period(1.0 / settings_.triggerHz);
    const int exposures =
        device.averaging * (device.triggerMode == MultipleExternalTrigger ? PulsesPerReadout : 1);
    for (int i = 0; i < exposures; ++i) {
        const double pulses = std::floor((Clock::now() - origin_) / period) + 1;
        std::this_thread::sleep_until(origin_ +
                                      std::chrono::duration_cast<Clock::duration>(period * pulses));
        std::this_thread::sleep_for(exposure);
    }
}

CountArray SimulatedSpectrometer::takeScans(const Device& device) {
    const double fullScale = std::ldexp(1.0, settings_.bits) - 1;
    const double scale = fullScale / 65535.0;
    const double gain = device.highGain ? HighGainFactor : 1.0;
    const int exposures = device.triggerMode == MultipleExternalTrigger ? PulsesPerReadout : 1;
    const double exposureMs = double(device.integrationMs) * exposures;
    std::normal_distribution<double> normal;
    CountArray block =
        CountArray::matrix(static_cast<std::size_t>(device.averaging), rates_.size());
    auto value = block.values.begin();
    for (std::int32_t scan = 0; scan < device.averaging; ++scan) {
        for (const double rate : rates_) {
            const double mean = (rate + DarkCurrentRate) * exposureMs;
            const double signal =
                mean + std::sqrt(mean) * normal(random_) + ReadNoise * normal(random_);
            const double counts = std::round(scale * (DarkOffset + gain * signal));
            *value++ = static_cast<std::int32_t>(std::clamp(counts, 0.0, fullScale));
        }
    }
    return block;
}

ServerStatus SimulatedSpectrometer::Measure(const std::wstring& name) {
    Device* device = nullptr;
    if (auto status = admit(SimulatorOperation::Measure, &name, device); !status.ok)
        return status;
    if (!device->open)
        return ServerStatus::failure(L"Device '" + name + L"' is not open");
    waitForExposures(*device);
    device->lastBlock = takeScans(*device);
    return ServerStatus::success();
}

ServerStatus SimulatedSpectrometer::ReadData(const std::wstring& name, std::int32_t zero,
                                             CountArray& data) {
    Device* device = nullptr;
    if (auto status = admit(SimulatorOperation::ReadData, &name, device); !status.ok)
        return status;
    if (zero != 0)
        return ServerStatus::failure(L"ReadData expects 0 as its second argument, not " +
                                     std::to_wstring(zero));
    if (!device->lastBlock)
        return ServerStatus::failure(L"No measurement of device '" + name + L"' to read");
    data = *device->lastBlock;
    return ServerStatus::success();
}

ServerStatus SimulatedSpectrometer::OpenDevice(const std::wstring& name, std::int32_t& resolution,
                                               std::int32_t& pixelCount, std::int32_t& clock) {
    Device* device = nullptr;
    if (auto status = admit(SimulatorOperation::OpenDevice, &name, device); !status.ok)
        return status;
    device->open = true;
    resolution = settings_.bits;
    pixelCount = settings_.pixels;
    clock = ClockMicroseconds;
    return ServerStatus::success();
}

ServerStatus SimulatedSpectrometer::CloseDevice(const std::wstring& name) {
    Device* device = nullptr;
    if (auto status = admit(SimulatorOperation::CloseDevice, &name, device); !status.ok)
        return status;
    device->open = false;
    device->lastBlock.reset();
    return ServerStatus::success();
}

double SimulatedSpectrometer::temperature(int sensor) const {
    const SensorDrift& drift = Sensors[static_cast<std::size_t>(sensor)];
    const double seconds = std::chrono::duration<double>(Clock::now() - origin_).count();
    return drift.meanDegrees +
           drift.amplitudeDegrees *
               std::sin(2 * std::numbers::pi * seconds / drift.periodSeconds + drift.phase);
}

ServerStatus SimulatedSpectrometer::SendCommand(const std::wstring& name,
                                                const std::wstring& command, std::wstring& reply) {
    Device* device = nullptr;
    if (auto status = admit(SimulatorOperation::SendCommand, &name, device); !status.ok)
        return status;
    if (command != L"J")
        return ServerStatus::failure(L"Command '" + command + L"' is not supported (J)");
    std::uniform_int_distribution<int> jitter(-1, 1);
    reply.clear();
    for (int sensor = 0; sensor < int(Sensors.size()); ++sensor) {
        const double raw = TemperatureRawOffset + TemperatureRawPerDegree * temperature(sensor);
        reply += std::to_wstring(std::lround(raw) + jitter(random_)) + L" ";
    }
    return ServerStatus::success();
}
