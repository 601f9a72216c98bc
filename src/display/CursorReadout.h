#pragma once

#include "display/ChartSeries.h"

#include <cstdint>
#include <optional>
#include <span>

// Where the readout is taken and what it reads besides the series.
struct CursorInputs {
    double axisX; // the bottom-axis value under the mouse pointer
    bool wavelengthUnits;
    std::int32_t pixelCount;
    bool singleChannel;
    double wavelengthMin;
    double wavelengthMax;
    std::span<const double> ch1Wavelengths;
    std::span<const double> ch2Wavelengths;
};

// What the status panels 0, 1 and 2 show for a cursor position. A channel value is absent where
// that channel has no point under the cursor (in nanometres, outside its wavelengths): its
// panel is then emptied rather than left with a value read elsewhere.
struct CursorReading {
    double x;
    std::optional<double> y0;
    std::optional<double> y1;
};

// The readout for a cursor position; nullopt leaves all three panels as they are.
std::optional<CursorReading> ShowCursorValues(const CursorInputs& in, const ChartSeries& series0,
                                              const ChartSeries& series1);

// Nearest integer, halves to the even neighbour.
double RoundHalfEven(double value);
