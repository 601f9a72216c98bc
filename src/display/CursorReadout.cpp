#include "display/CursorReadout.h"

#include <algorithm>
#include <cmath>

double RoundHalfEven(double value) {
    const double rounded = std::round(value);
    if (std::abs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return rounded;
}

namespace {

std::size_t PointCount(const ChartSeries& series) {
    return std::min(series.x.size(), series.y.size());
}

struct ChannelReading {
    double x; // the x text
    double y;
};

// Channel 1: the point before the first wavelength above the cursor, among the channel's own
// points. The x text is that wavelength. Its table may hold one entry beyond the channel's data,
// which makes the last point readable.
std::optional<ChannelReading> ChannelOneValue(const ChartSeries& series, std::size_t points,
                                              std::span<const double> wavelengths,
                                              double wavelength) {
    if (!(wavelength > 0.0) || wavelengths.empty())
        return std::nullopt;
    const std::size_t last = std::min(points, wavelengths.size() - 1);
    std::size_t i = 0;
    while (i <= last && !(wavelengths[i] > wavelength))
        ++i;
    // No entry above the cursor, or already the first one above it: no point lies before it.
    if (i > last || i == 0 || i - 1 >= PointCount(series))
        return std::nullopt;
    return ChannelReading{wavelengths[i], series.y[i - 1]};
}

bool HasWavelength(std::span<const double> wavelengths, std::size_t index) {
    const double w = wavelengths[index];
    return std::isfinite(w) && w > 0.0;
}

// Channel 2's wavelengths need not run the same way as channel 1's, so its value is taken at
// its own point nearest to the cursor, and only within one pixel spacing of that point.
std::optional<double> ChannelTwoValue(const ChartSeries& series, std::size_t points,
                                      std::span<const double> wavelengths, double wavelength) {
    const std::size_t count = std::min({points, wavelengths.size(), PointCount(series)});
    std::optional<std::size_t> nearest;
    double nearestDistance = 0.0;
    for (std::size_t j = 0; j < count; ++j) {
        if (!HasWavelength(wavelengths, j))
            continue;
        const double distance = std::abs(wavelengths[j] - wavelength);
        if (!nearest || distance < nearestDistance) {
            nearest = j;
            nearestDistance = distance;
        }
    }
    if (!nearest)
        return std::nullopt;
    const std::size_t j = *nearest;
    double spacing = -1.0;
    if (j > 0 && HasWavelength(wavelengths, j - 1))
        spacing = std::abs(wavelengths[j] - wavelengths[j - 1]);
    if (j + 1 < count && HasWavelength(wavelengths, j + 1))
        spacing = std::max(spacing, std::abs(wavelengths[j + 1] - wavelengths[j]));
    if (nearestDistance > spacing)
        return std::nullopt;
    return series.y[j];
}

} // namespace

std::optional<CursorReading> ShowCursorValues(const CursorInputs& in, const ChartSeries& series0,
                                              const ChartSeries& series1) {
    const double lo = in.wavelengthUnits ? in.wavelengthMin : -1.0;
    const double hi = in.wavelengthUnits ? in.wavelengthMax : static_cast<double>(in.pixelCount);
    const double roundedX = RoundHalfEven(in.axisX);
    if (!(roundedX > lo && roundedX < hi))
        return std::nullopt;
    const double xPrime = RoundHalfEven(in.axisX * 100.0) / 100.0;

    if (!in.wavelengthUnits) {
        const double r = RoundHalfEven(xPrime);
        if (r < 0.0 || r >= static_cast<double>(PointCount(series0)) ||
            r >= static_cast<double>(PointCount(series1)))
            return std::nullopt;
        const auto index = static_cast<std::size_t>(r);
        return CursorReading{xPrime, series0.y[index], series1.y[index]};
    }

    if (in.pixelCount <= 0)
        return std::nullopt;
    // Each channel is read over its own points only: on a two-channel device the points from
    // pixelCount div 2 on hold the other channel or nothing measured, and a one-channel device
    // has no channel 2.
    const auto p = static_cast<std::size_t>(in.pixelCount);
    const std::size_t ch1Points = in.singleChannel ? p : p / 2;
    const std::size_t ch2Points = in.singleChannel ? 0 : p / 2;
    CursorReading reading{xPrime, std::nullopt, std::nullopt};
    if (auto ch1 = ChannelOneValue(series0, ch1Points, in.ch1Wavelengths, xPrime)) {
        reading.x = ch1->x;
        reading.y0 = ch1->y;
    }
    reading.y1 = ChannelTwoValue(series1, ch2Points, in.ch2Wavelengths, xPrime);
    return reading;
}
