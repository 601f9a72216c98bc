#include "processing/PlotData.h"

#include <algorithm>
#include <stdexcept>

namespace {

// The white reference divides, so it never falls below this.
constexpr double MinimumWhite = 0.01;

// Plotted where the sample lies below the dark level.
constexpr double BelowDarkValue = 1.0;

} // namespace

void MakePlotData(const std::vector<std::int64_t>& rawCounts, std::int32_t pixelCount,
                  std::int32_t averaging, ReferenceFlags& flags, std::vector<double>& plotValues,
                  std::vector<double>& darkReference, std::vector<double>& whiteReference) {
    if (pixelCount <= 0) {
        return;
    }
    const auto pixels = static_cast<std::size_t>(pixelCount);
    if (rawCounts.size() < pixels || plotValues.size() < pixels || darkReference.size() < pixels ||
        whiteReference.size() < pixels) {
        throw std::invalid_argument("MakePlotData: a buffer holds fewer than pixelCount entries");
    }

    for (std::size_t i = 0; i < pixels; ++i) {
        plotValues[i] = averaging > 1 ? static_cast<double>(rawCounts[i] / averaging)
                                      : static_cast<double>(rawCounts[i]);
    }

    if (flags.SaveDarkPending) {
        std::copy(plotValues.begin(), plotValues.begin() + pixelCount, darkReference.begin());
        flags.SaveDarkPending = false;
        flags.DarkValid = true;
    }

    if (flags.DarkValid) {
        for (std::size_t i = 0; i < pixels; ++i) {
            const double d = plotValues[i] - darkReference[i];
            plotValues[i] = d >= 0 ? d : BelowDarkValue;
        }
    }

    if (flags.SaveWhitePending) {
        for (std::size_t i = 0; i < pixels; ++i) {
            whiteReference[i] = plotValues[i] < MinimumWhite ? MinimumWhite : plotValues[i];
        }
        flags.SaveWhitePending = false;
        flags.WhiteValid = true;
    }

    if (flags.WhiteValid && !flags.RawMode) {
        for (std::size_t i = 0; i < pixels; ++i) {
            plotValues[i] = plotValues[i] / whiteReference[i] * 100;
        }
    }
}

std::optional<double> CountsModeLeftMaximum(std::int32_t resolution, BuildKind kind) {
    switch (resolution) {
    case 10:
        return kind == BuildKind::Thermal ? std::optional<double>(1050) : std::nullopt;
    case 12:
        return 4100;
    case 16:
        return 65550;
    case 24:
        return kind == BuildKind::Thermal ? std::optional<double>(65550) : std::nullopt;
    default:
        return FullScaleLeftMaximum(resolution);
    }
}

std::optional<double> FullScaleLeftMaximum(std::int32_t resolution) {
    if (resolution < 1 || resolution > 31)
        return std::nullopt;
    // The same few counts of headroom as the 16-bit axis (65535 + 15), so a saturated line stays
    // in view below the top edge.
    constexpr std::int64_t Margin = 65550 - 65535;
    const std::int64_t fullScale = (std::int64_t{1} << resolution) - 1;
    return static_cast<double>(fullScale + Margin);
}
