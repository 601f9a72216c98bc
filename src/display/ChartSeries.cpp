#include "display/ChartSeries.h"

void ChartSeries::appendPoints(std::size_t count) {
    x.resize(x.size() + count, 0.0);
    y.resize(y.size() + count, 0.0);
}

namespace {

void FillWavelengths(const ChartInputs& in, std::size_t p, std::size_t off, ChartSeries& series0,
                     ChartSeries& series1) {
    if (in.displayCh1) {
        for (std::size_t k = 0; k <= p; ++k) {
            series0.x[k] = in.ch1Wavelengths[k];
            series0.y[k] = in.plotValues[k];
        }
    } else {
        for (std::size_t k = 0; k < p; ++k)
            series0.y[k] = HiddenAbove;
    }
    if (in.displayCh2) {
        for (std::size_t k = 0; k < p; ++k) {
            const double x = in.ch2Wavelengths[k];
            // Written as a positive test so that a NaN wavelength counts as outside.
            const bool inRange = in.wavelengthMin <= x && x <= in.wavelengthMax;
            series1.x[k] = x;
            series1.y[k] = inRange ? in.plotValues[off + k] : HiddenBelow;
        }
    } else {
        for (std::size_t k = 0; k < p; ++k)
            series1.y[k] = HiddenAbove;
    }
}

void FillPixelNumbers(const ChartInputs& in, std::size_t p, std::size_t off, ChartSeries& series0,
                      ChartSeries& series1) {
    if (in.displayCh1) {
        for (std::size_t k = 0; k <= p; ++k) {
            series0.x[k] = static_cast<double>(k);
            series0.y[k] = in.plotValues[k];
            series1.y[k] = HiddenBelow;
        }
    }
    if (in.displayCh2) {
        for (std::size_t k = 0; k <= p; ++k) {
            series1.x[k] = static_cast<double>(k);
            series1.y[k] = in.plotValues[off + k];
            if (!in.displayCh1)
                series0.y[k] = HiddenBelow;
        }
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
    if (series0.x.size() < p + 2 || series0.y.size() < p + 2 || series1.x.size() < p + 2 ||
        series1.y.size() < p + 2)
        return;
    if (in.plotValues.size() < off + p + 1)
        return;
    if (in.wavelengthUnits) {
        if (in.ch1Wavelengths.size() < p + 1 || in.ch2Wavelengths.size() < p + 1)
            return;
        FillWavelengths(in, p, off, series0, series1);
    } else {
        FillPixelNumbers(in, p, off, series0, series1);
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
    switch (resolution) {
    case 10:
        return kind == BuildKind::Thermal ? std::optional<double>(1050.0) : std::nullopt;
    case 12:
        return 4100.0;
    case 16:
        return 65550.0;
    case 24:
        return kind == BuildKind::Thermal ? std::optional<double>(4100.0) : std::nullopt;
    default:
        return std::nullopt;
    }
}
