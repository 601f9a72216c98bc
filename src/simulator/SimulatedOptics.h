#pragma once

#include "simulator/SimulatorSettings.h"

#include <array>
#include <vector>

// The light the simulated device sees: a mercury-argon lamp imaged onto a detector with a fixed
// cubic calibration. Rates are in counts per millisecond of exposure for a 16-bit converter at
// normal gain; the device scales them to its own bit depth.
namespace SimulatedOptics {

struct EmissionLine {
    double nm; // NIST wavelength in air
    double relative;
};

inline constexpr std::array<EmissionLine, 26> MercuryArgonLines{{
    {365.015, 0.15}, {404.656, 0.35}, {407.783, 0.08}, {435.833, 0.90}, {546.074, 1.00},
    {576.960, 0.25}, {579.066, 0.28}, {696.543, 0.30}, {706.722, 0.20}, {727.294, 0.10},
    {738.398, 0.15}, {750.387, 0.45}, {751.465, 0.18}, {763.511, 0.85}, {772.376, 0.25},
    {794.818, 0.30}, {800.616, 0.30}, {801.479, 0.15}, {810.369, 0.25}, {811.531, 0.80},
    {826.452, 0.35}, {842.465, 0.40}, {852.144, 0.12}, {866.794, 0.04}, {912.297, 0.45},
    {922.450, 0.20},
}};

// Peak rate of a line of relative intensity 1: clearly visible at 1 ms, near 40000 counts at
// 10 ms and saturated at 100 ms on a 16-bit device.
inline constexpr double StrongestLineRate = 4000.0;
inline constexpr double LineFwhmNm = 1.0;
// Peak of the broad, weak continuum under the lines, at ContinuumCentreNm.
inline constexpr double ContinuumRate = 40.0;
inline constexpr double ContinuumCentreNm = 650.0;
inline constexpr double ContinuumWidthNm = 250.0;

// True calibration: wavelength = c0 + c1 x + c2 x^2 + c3 x^3 over the relative position
// x = pixel / (pixels - 1) along a channel, so every pixel count spans 350 .. 1000 nm.
inline constexpr std::array<double, 4> TrueCalibration{350.0, 680.0, -40.0, 10.0};

double trueWavelength(double position);
double lampRate(double nm);
// The sample the dual layout's channel 2 looks through: a broad absorption band.
double sampleTransmission(double nm);

struct ElementView {
    int channel; // 1 or 2
    int pixel;   // pixel within the channel, from 0
    double wavelength;
};

// What each element of a scan sees, in the order the device delivers the elements.
std::vector<ElementView> elementViews(SimulatorLayout layout, int pixels);
// Noise-free counts per ms for each element, in delivery order.
std::vector<double> elementRates(SimulatorLayout layout, int pixels);

// The eight calibration-file numbers (a0..a3, b0..b3) that reproduce the true calibration for
// the way the program reads each layout: standard build for halves, thermal build otherwise.
std::array<double, 8> calibrationCoefficients(SimulatorLayout layout, int pixels);

} // namespace SimulatedOptics
