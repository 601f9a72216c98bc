#pragma once

#include <cstdint>
#include <string>

// What the start sequence learns about the opened device; read everywhere afterwards.
struct DeviceValues {
    std::wstring DeviceName;
    std::int32_t Resolution = 0;
    std::int32_t PixelCount = 0;
    std::int32_t ClockSpeed = 0;
    bool Connected = false;
    std::int32_t PortAddress = 0;
};

// Largest element count per scan the program accepts from a device.
inline constexpr std::int32_t MaxPixelCount = 65536;
