#include "processing/WavelengthCalibration.h"

#include <algorithm>
#include <cmath>

namespace {

// Evaluated in extended precision and in this fixed order, so a calibration gives the same
// table to the last bit every time.
double evaluate(const std::array<double, 4>& c, std::size_t index) {
    const auto i = static_cast<long double>(index);
    const long double a0 = c[0], a1 = c[1], a2 = c[2], a3 = c[3];
    return static_cast<double>(((a1 * i + a0) + (a2 * i) * i) + ((a3 * i) * i) * i);
}

// To the nearest 0.01 nm, halves to the even neighbour.
double roundToHundredth(double wavelength) {
    const double scaled = wavelength * 100;
    return std::nearbyint(scaled) / 100;
}

void ensureSize(std::vector<double>& table, std::size_t size) {
    if (table.size() < size) {
        table.resize(size, 0.0);
    }
}

} // namespace

void ComputeWavelengths(const std::array<double, 4>& ch1, const std::array<double, 4>& ch2,
                        std::int32_t pixelCount, BuildKind kind, bool& singleChannel,
                        WavelengthTables& tables) {
    const auto pixels = static_cast<std::size_t>(std::max(pixelCount, 0));
    ensureSize(tables.Ch1Wavelengths, pixels + 1);
    ensureSize(tables.Ch2Wavelengths, pixels + 1);

    if (kind == BuildKind::Thermal) {
        for (std::size_t i = 0; i <= pixels; ++i) {
            tables.Ch1Wavelengths[i] = roundToHundredth(evaluate(ch1, i));
        }
        tables.WavelengthMin = ch1[0];
        tables.WavelengthMax = pixels > 0 ? tables.Ch1Wavelengths[pixels - 1] : ch1[0];
        if (!singleChannel) {
            for (std::size_t i = 0; i <= pixels; ++i) {
                tables.Ch2Wavelengths[i] = evaluate(ch2, i);
            }
        }
    } else {
        singleChannel = false;
        const std::size_t half = pixels / 2;
        for (std::size_t i = 0; i < half; ++i) {
            tables.Ch1Wavelengths[i] = roundToHundredth(evaluate(ch1, i));
        }
        tables.WavelengthMin = ch1[0];
        for (std::size_t i = 0; i < half; ++i) {
            tables.Ch2Wavelengths[i] = evaluate(ch2, i);
        }
        // Channel 2's first pixel marks the top of the range.
        tables.WavelengthMax = half > 0 ? tables.Ch2Wavelengths[0] : ch2[0];
    }
    tables.WavelengthCalibrated = true;
}

bool MarksNoCalibration(const std::array<double, 4>& ch1) {
    return ch1[0] == 1.0;
}
