#pragma once

#include "measurement/BuildKind.h"
#include "processing/ChartPoints.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// What filling the series reads; the check-box states are taken by the caller at the moment
// of the call.
struct ChartInputs {
    std::int32_t pixelCount;
    bool singleChannel;
    bool wavelengthUnits;
    bool displayCh1;
    bool displayCh2;
    std::span<const double> plotValues;
    std::span<const double> ch1Wavelengths;
    std::span<const double> ch2Wavelengths;
    double wavelengthMin;
    double wavelengthMax;
};

// The y value given to a point whose channel is not shown or lies outside the wavelength range.
inline constexpr double HiddenBelow = -0.001;
inline constexpr double HiddenAbove = 0.001;

// Writes the latest plot values of channel 1 into series0 and of channel 2 into series1, and
// marks as drawn exactly the points that hold a shown channel's data: pixelCount points of a
// one-channel device, pixelCount div 2 per channel of a two-channel one (none of series1 for a
// one-channel device). Does nothing when the series were not set up for pixelCount or an input
// is too short.
void FillChartSeries(const ChartInputs& in, ChartSeries& series0, ChartSeries& series1);

struct BottomAxisRange {
    double minimum;
    double maximum;
    QString title;
};

// The bottom axis range and title the chart set-up gives.
BottomAxisRange SetupBottomAxis(bool wavelengthUnits, double wavelengthMin, double wavelengthMax,
                                std::int32_t pixelCount, bool singleChannel);

// The left maximum for a detector resolution in bits; nullopt keeps the current maximum. A
// resolution without an entry of its own gets its full scale, 2^bits - 1, plus the 16-bit
// entry's margin; one outside 1 .. 31 bits keeps the maximum.
std::optional<double> SetupLeftMaximum(std::int32_t resolution, BuildKind kind);
