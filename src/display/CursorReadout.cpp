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

bool IsChannelPoint(const ChartSeries& series, std::size_t index) {
    const double x = series.x[index];
    return std::isfinite(x) && x > 0.0;
}

// Channel 2's wavelengths need not run the same way as channel 1's, so its value is taken at
// its own point nearest to the cursor, and only within one pixel spacing of that point.
std::optional<double> NearestChannelValue(const ChartSeries& series, std::size_t count,
                                          double wavelength) {
    std::optional<std::size_t> nearest;
    double nearestDistance = 0.0;
    for (std::size_t j = 0; j < count; ++j) {
        if (!IsChannelPoint(series, j))
            continue;
        const double distance = std::abs(series.x[j] - wavelength);
        if (!nearest || distance < nearestDistance) {
            nearest = j;
            nearestDistance = distance;
        }
    }
    if (!nearest)
        return std::nullopt;
    const std::size_t j = *nearest;
    double spacing = -1.0;
    if (j > 0 && IsChannelPoint(series, j - 1))
        spacing = std::abs(series.x[j] - series.x[j - 1]);
    if (j + 1 < count && IsChannelPoint(series, j + 1))
        spacing = std::max(spacing, std::abs(series.x[j + 1] - series.x[j]));
    if (nearestDistance > spacing)
        return std::nullopt;
    return series.y[j];
}

std::size_t PointCount(const ChartSeries& series) {
    return std::min(series.x.size(), series.y.size());
}

} // namespace

std::optional<CursorReading>
ShowCursorValues(double axisX, bool wavelengthUnits, std::int32_t pixelCount, double wavelengthMin,
                 double wavelengthMax, std::span<const double> ch1Wavelengths,
                 const ChartSeries& series0, const ChartSeries& series1) {
    const double lo = wavelengthUnits ? wavelengthMin : -1.0;
    const double hi = wavelengthUnits ? wavelengthMax : static_cast<double>(pixelCount);
    const double roundedX = RoundHalfEven(axisX);
    if (!(roundedX > lo && roundedX < hi))
        return std::nullopt;
    const double xPrime = RoundHalfEven(axisX * 100.0) / 100.0;
    const std::size_t count0 = PointCount(series0);
    const std::size_t count1 = PointCount(series1);

    if (!wavelengthUnits) {
        const double r = RoundHalfEven(xPrime);
        if (r < 0.0 || r >= static_cast<double>(count0) || r >= static_cast<double>(count1))
            return std::nullopt;
        const auto index = static_cast<std::size_t>(r);
        return CursorReading{xPrime, series0.y[index], series1.y[index]};
    }

    if (xPrime <= 0.0 || pixelCount <= 0 || ch1Wavelengths.empty())
        return std::nullopt;
    const std::size_t last =
        std::min(static_cast<std::size_t>(pixelCount), ch1Wavelengths.size() - 1);
    std::size_t i = 0;
    while (i <= last && !(ch1Wavelengths[i] > xPrime))
        ++i;
    // No entry above the cursor, or already the first one above it: no point lies before it.
    if (i > last || i == 0)
        return std::nullopt;
    const std::size_t r = i - 1;
    if (r >= count0)
        return std::nullopt;
    const std::size_t channel2Points = std::min(static_cast<std::size_t>(pixelCount), count1);
    return CursorReading{ch1Wavelengths[i], series0.y[r],
                         NearestChannelValue(series1, channel2Points, xPrime)};
}
