#include "display/ChartSeries.h"

#include "processing/PlotData.h"

#include <algorithm>

namespace {

// How many points from point 0 on hold each channel's data. Point p and, on a two-channel
// device, the points from p div 2 on are written too, but hold the other channel or values never
// measured.
struct ChannelPoints {
    std::size_t ch1, ch2;
};

void FillWavelengths(const ChartInputs& in, std::size_t p, std::size_t off, ChannelPoints points,
                     ChartSeries& series0, ChartSeries& series1) {
    if (in.displayCh1) {
        for (std::size_t k = 0; k <= p; ++k) {
            series0.x[k] = in.ch1Wavelengths[k];
            series0.y[k] = in.plotValues[k];
        }
        series0.drawFirst(points.ch1);
    } else {
        for (std::size_t k = 0; k < p; ++k)
            series0.y[k] = HiddenAbove;
        series0.drawFirst(0);
    }
    if (in.displayCh2) {
        series1.drawFirst(points.ch2);
        for (std::size_t k = 0; k < p; ++k) {
            const double x = in.ch2Wavelengths[k];
            // Written as a positive test so that a NaN wavelength counts as outside.
            const bool inRange = in.wavelengthMin <= x && x <= in.wavelengthMax;
            series1.x[k] = x;
            series1.y[k] = inRange ? in.plotValues[off + k] : HiddenBelow;
            if (!inRange)
                series1.drawn[k] = false;
        }
    } else {
        for (std::size_t k = 0; k < p; ++k)
            series1.y[k] = HiddenAbove;
        series1.drawFirst(0);
    }
}

void FillPixelNumbers(const ChartInputs& in, std::size_t p, std::size_t off, ChannelPoints points,
                      ChartSeries& series0, ChartSeries& series1) {
    if (in.displayCh1) {
        for (std::size_t k = 0; k <= p; ++k) {
            series0.x[k] = static_cast<double>(k);
            series0.y[k] = in.plotValues[k];
            series1.y[k] = HiddenBelow;
        }
        series0.drawFirst(points.ch1);
        series1.drawFirst(0);
    }
    if (in.displayCh2) {
        for (std::size_t k = 0; k <= p; ++k) {
            series1.x[k] = static_cast<double>(k);
            series1.y[k] = in.plotValues[off + k];
            if (!in.displayCh1)
                series0.y[k] = HiddenBelow;
        }
        series1.drawFirst(points.ch2);
        if (!in.displayCh1)
            series0.drawFirst(0);
    }
}

} // namespace

void FillChartSeries(const ChartInputs& in, ChartSeries& series0, ChartSeries& series1) {
    if (in.pixelCount <= 0)
        return;
    const auto p = static_cast<std::size_t>(in.pixelCount);
    const std::size_t off = in.singleChannel ? 0 : p / 2;
    // Point p + 1 is never written, but a series shorter than the set-up makes was not set up
    // for this pixel count.
    for (const ChartSeries* s : {&series0, &series1})
        if (s->x.size() < p + 2 || s->y.size() < p + 2 || s->drawn.size() < p + 2)
            return;
    if (in.plotValues.size() < off + p + 1)
        return;
    // A one-channel device has no channel 2: series 1 repeats channel 1 in pixel numbers, where
    // drawn over it it would hide it, and has no wavelengths in nanometres.
    const ChannelPoints points{in.singleChannel ? p : p / 2, in.singleChannel ? 0 : p / 2};
    if (in.wavelengthUnits) {
        if (in.ch1Wavelengths.size() < p + 1 || in.ch2Wavelengths.size() < p + 1)
            return;
        FillWavelengths(in, p, off, points, series0, series1);
    } else {
        FillPixelNumbers(in, p, off, points, series0, series1);
    }
}

BottomAxisRange SetupBottomAxis(bool wavelengthUnits, double wavelengthMin, double wavelengthMax,
                                std::int32_t pixelCount, bool singleChannel) {
    if (wavelengthUnits)
        return {wavelengthMin, wavelengthMax - 1.0, QStringLiteral("Wavelength nm ")};
    const double maximum = singleChannel ? pixelCount : pixelCount / 2;
    return {0.0, maximum, QStringLiteral("Pixel number ")};
}

std::optional<double> SetupLeftMaximum(std::int32_t resolution, BuildKind kind) {
    const bool thermal = kind == BuildKind::Thermal;
    switch (resolution) {
    case 10:
        return thermal ? std::optional<double>(1050.0) : std::nullopt;
    case 12:
        return 4100.0;
    case 16:
        return 65550.0;
    case 24:
        return thermal ? std::optional<double>(4100.0) : std::nullopt;
    default:
        return FullScaleLeftMaximum(resolution);
    }
}
