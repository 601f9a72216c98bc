#pragma once

#include "camera/ICameraServer.h"
#include "measurement/BuildKind.h"

#include <cstdint>
#include <vector>

// The individual scans of the latest measurement, one row per scan. Elements are kept whole, so
// devices of more than 16 bits keep every count of every scan.
using RawDataValues = std::vector<std::vector<std::int32_t>>;

// Sums the first `averaging` scans of `block` into rawCounts[0 .. pixelCount - 1] (64-bit totals,
// split into channel halves for a two-channel device) and keeps each scan as a row of seriesData.
// rawCounts must hold at least pixelCount entries. A block of the wrong shape throws
// std::runtime_error before either buffer is touched, so the previous measurement is kept.
void RetrieveScans(const CountArray& block, std::int32_t averaging, std::int32_t pixelCount,
                   bool singleChannel, BuildKind kind, std::vector<std::int64_t>& rawCounts,
                   RawDataValues& seriesData);
