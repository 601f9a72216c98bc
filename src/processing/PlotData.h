#pragma once

#include "measurement/BuildKind.h"

#include <cstdint>
#include <optional>
#include <vector>

// Display mode and the state of the dark and white references.
struct ReferenceFlags {
    bool RawMode = true;
    bool SaveDarkPending = false;
    bool DarkValid = false;
    bool SaveWhitePending = false;
    bool WhiteValid = false;
};

// Turns the summed counts of the latest measurement into the values the chart draws: the
// average per element, less the saved dark level, and in the corrected mode as percent of the
// saved white reference. Pending dark and white requests are served from this call's values.
// Every buffer must hold at least pixelCount entries.
void MakePlotData(const std::vector<std::int64_t>& rawCounts, std::int32_t pixelCount,
                  std::int32_t averaging, ReferenceFlags& flags, std::vector<double>& plotValues,
                  std::vector<double>& darkReference, std::vector<double>& whiteReference);

// The left axis maximum of the counts mode for a device resolution in bits; nullopt leaves the
// axis as it is.
std::optional<double> CountsModeLeftMaximum(std::int32_t resolution, BuildKind kind);

// The left axis maximum for a resolution outside the 10, 12, 16 and 24 bits the axis tables
// name: full scale plus the headroom of the 16-bit axis. nullopt for no converter's resolution
// (below 1 or above the 31 bits a signed 32-bit count holds).
std::optional<double> FullScaleLeftMaximum(std::int32_t resolution);
