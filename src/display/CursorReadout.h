#pragma once

#include "display/ChartSeries.h"

#include <cstdint>
#include <optional>
#include <span>

// What the status panels 0, 1 and 2 show for a cursor position. y1 is absent when no point of
// channel 2 lies under the cursor; panel 2 then keeps its text.
struct CursorReading {
    double x;
    double y0;
    std::optional<double> y1;
};

// The readout for the bottom-axis value axisX under the mouse pointer; nullopt leaves all three
// panels as they are.
std::optional<CursorReading>
ShowCursorValues(double axisX, bool wavelengthUnits, std::int32_t pixelCount, double wavelengthMin,
                 double wavelengthMax, std::span<const double> ch1Wavelengths,
                 const ChartSeries& series0, const ChartSeries& series1);

// Nearest integer, halves to the even neighbour.
double RoundHalfEven(double value);
