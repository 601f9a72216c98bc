#pragma once

#include "measurement/BuildKind.h"

#include <array>
#include <cstdint>
#include <vector>

// Wavelength in nm per pixel index of each channel, and the x-axis range in wavelength units.
struct WavelengthTables {
    std::vector<double> Ch1Wavelengths, Ch2Wavelengths;
    double WavelengthMin = 0, WavelengthMax = 0;
    bool WavelengthCalibrated = false;
};

// Fills the tables from the cubic polynomials of both channels (coefficients a0 .. a3 of ch1,
// b0 .. b3 of ch2). Channel 1 is rounded to 0.01 nm, channel 2 is not. Each table is grown to
// pixelCount + 1 entries if smaller, so no calibration writes outside it. The standard build
// treats the device as two channels from here on and clears singleChannel.
void ComputeWavelengths(const std::array<double, 4>& ch1, const std::array<double, 4>& ch2,
                        std::int32_t pixelCount, BuildKind kind, bool& singleChannel,
                        WavelengthTables& tables);

// A first coefficient of exactly 1.0 marks a calibration file without calibration.
bool MarksNoCalibration(const std::array<double, 4>& ch1);
