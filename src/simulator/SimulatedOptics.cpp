#include "simulator/SimulatedOptics.h"

#include <cmath>

namespace SimulatedOptics {

namespace {

constexpr double SampleBandCentreNm = 700.0;
constexpr double SampleBandWidthNm = 60.0;
constexpr double SampleBandDepth = 0.6;

double gaussian(double offset, double width) {
    return std::exp(-(offset * offset) / (width * width));
}

// Coefficients of p(s x) from those of p(x).
std::array<double, 4> scaled(const std::array<double, 4>& c, double s) {
    return {c[0], c[1] * s, c[2] * s * s, c[3] * s * s * s};
}

// Coefficients of p(1 - u) from those of p(x).
std::array<double, 4> mirrored(const std::array<double, 4>& c) {
    return {c[0] + c[1] + c[2] + c[3], -(c[1] + 2 * c[2] + 3 * c[3]), c[2] + 3 * c[3], -c[3]};
}

} // namespace

double trueWavelength(double position) {
    const auto& c = TrueCalibration;
    return c[0] + position * (c[1] + position * (c[2] + position * c[3]));
}

double lampRate(double nm) {
    // A Gaussian of full width at half maximum F is exp(-4 ln2 d^2 / F^2).
    const double lineWidth = LineFwhmNm / (2.0 * std::sqrt(std::log(2.0)));
    double rate = ContinuumRate * gaussian(nm - ContinuumCentreNm, ContinuumWidthNm);
    for (const EmissionLine& line : MercuryArgonLines)
        rate += StrongestLineRate * line.relative * gaussian(nm - line.nm, lineWidth);
    return rate;
}

double sampleTransmission(double nm) {
    return 1.0 - SampleBandDepth * gaussian(nm - SampleBandCentreNm, SampleBandWidthNm);
}

std::vector<ElementView> elementViews(SimulatorLayout layout, int pixels) {
    std::vector<ElementView> views;
    views.reserve(static_cast<std::size_t>(pixels));
    const double last = pixels - 1;
    const double channelLast = pixels / 2 - 1;
    for (int e = 0; e < pixels; ++e) {
        auto view = [](int channel, int pixel, double position) {
            return ElementView{channel, pixel, trueWavelength(position)};
        };
        const int j = e / 2;
        switch (layout) {
        case SimulatorLayout::Single:
            views.push_back(view(1, e, e / last));
            break;
        case SimulatorLayout::Halves:
            // Channel 2 pixel j is detector pixel P-1-j.
            views.push_back(e % 2 == 0 ? view(1, j, j / last) : view(2, j, (last - j) / last));
            break;
        case SimulatorLayout::Dual: {
            const int pixel = e % 2 == 0 ? j : (pixels - 1 - e) / 2;
            views.push_back(view(e % 2 == 0 ? 1 : 2, pixel, pixel / channelLast));
            break;
        }
        }
    }
    return views;
}

std::vector<double> elementRates(SimulatorLayout layout, int pixels) {
    std::vector<double> rates;
    rates.reserve(static_cast<std::size_t>(pixels));
    for (const ElementView& view : elementViews(layout, pixels)) {
        double rate = lampRate(view.wavelength);
        if (layout == SimulatorLayout::Dual && view.channel == 2)
            rate *= sampleTransmission(view.wavelength);
        rates.push_back(rate);
    }
    return rates;
}

std::array<double, 8> calibrationCoefficients(SimulatorLayout layout, int pixels) {
    const int channelPixels = layout == SimulatorLayout::Dual ? pixels / 2 : pixels;
    const double step = 1.0 / (channelPixels - 1);
    const std::array<double, 4> first = scaled(TrueCalibration, step);
    const std::array<double, 4> second =
        layout == SimulatorLayout::Halves ? scaled(mirrored(TrueCalibration), step) : first;
    return {first[0], first[1], first[2], first[3], second[0], second[1], second[2], second[3]};
}

} // namespace SimulatedOptics
