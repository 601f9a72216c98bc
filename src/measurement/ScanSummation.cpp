#include "measurement/ScanSummation.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

std::string describeShape(const CountArray& block) {
    switch (block.dimensions()) {
    case 0:
        return "no counts";
    case 1:
        return "a one-dimensional array of " + std::to_string(block.shape[0]) + " counts";
    case 2:
        return std::to_string(block.shape[0]) + " \u00d7 " + std::to_string(block.shape[1]) +
               " counts";
    default:
        return "a " + std::to_string(block.dimensions()) + "-dimensional array of " +
               std::to_string(block.values.size()) + " counts";
    }
}

void checkShape(const CountArray& block, std::size_t scans, std::size_t pixels) {
    if (block.dimensions() != 2 || block.rows() < scans || block.columns() < pixels) {
        throw std::runtime_error("The camera server returned " + describeShape(block) +
                                 "; the measurement needs " + std::to_string(scans) + " \u00d7 " +
                                 std::to_string(pixels) + ".");
    }
    // The shape is the server's claim; the values must back it before any row is read.
    if (block.values.size() < block.rows() * block.columns()) {
        throw std::runtime_error("The camera server returned " + describeShape(block) +
                                 " but only " + std::to_string(block.values.size()) + " values.");
    }
}

// Fixed-length blocks let the compiler vectorise the sums at -O2 too, where its cost model
// refuses a loop of unknown length that would need a scalar tail.
constexpr std::size_t BlockLength = 4;

void addScan(const std::int32_t* row, std::size_t count, std::int64_t* sums) {
    std::size_t k = 0;
    for (; k + BlockLength <= count; k += BlockLength) {
        for (std::size_t l = 0; l < BlockLength; ++l) {
            sums[k + l] += row[k + l];
        }
    }
    for (; k < count; ++k) {
        sums[k] += row[k];
    }
}

// Even elements into channel 1, odd elements into channel 2, both in pixel order. Each block is
// read into locals first: the two halves are one buffer, so storing channel 1 could otherwise
// alias channel 2 and keep the compiler from vectorising.
void addInterleavedScan(const std::int32_t* row, std::size_t half, std::int64_t* channel1,
                        std::int64_t* channel2) {
    std::size_t j = 0;
    for (; j + BlockLength <= half; j += BlockLength) {
        std::int64_t first[BlockLength];
        std::int64_t second[BlockLength];
        for (std::size_t l = 0; l < BlockLength; ++l) {
            first[l] = row[2 * (j + l)];
            second[l] = row[2 * (j + l) + 1];
        }
        for (std::size_t l = 0; l < BlockLength; ++l) {
            channel1[j + l] += first[l];
        }
        for (std::size_t l = 0; l < BlockLength; ++l) {
            channel2[j + l] += second[l];
        }
    }
    for (; j < half; ++j) {
        channel1[j] += row[2 * j];
        channel2[j] += row[2 * j + 1];
    }
}

} // namespace

void RetrieveScans(const CountArray& block, std::int32_t averaging, std::int32_t pixelCount,
                   bool singleChannel, BuildKind kind, std::vector<std::int64_t>& rawCounts,
                   RawDataValues& seriesData) {
    if (pixelCount <= 0) {
        return;
    }
    const auto pixels = static_cast<std::size_t>(pixelCount);
    const auto scans = static_cast<std::size_t>(std::max(averaging, 0));
    if (rawCounts.size() < pixels) {
        throw std::invalid_argument("RetrieveScans: rawCounts holds fewer than pixelCount entries");
    }
    // With no scan to read, the reply's shape does not matter.
    if (scans > 0) {
        checkShape(block, scans, pixels);
    }

    std::int64_t* sums = rawCounts.data();
    std::fill(sums, sums + pixels, std::int64_t{0});
    if (seriesData.size() < scans) {
        seriesData.resize(scans);
    }

    // An odd element of a two-channel scan has no partner and is left out of the sums.
    const std::size_t half = pixels / 2;
    const std::size_t stride = block.columns();
    for (std::size_t s = 0; s < scans; ++s) {
        const std::int32_t* row = block.values.data() + s * stride;
        if (singleChannel) {
            addScan(row, pixels, sums);
        } else {
            addInterleavedScan(row, half, sums, sums + half);
        }
        seriesData[s].assign(row, row + pixels);
    }

    // The thermal build shows channel 2 with its last pixel first.
    if (!singleChannel && kind == BuildKind::Thermal) {
        std::reverse(sums + half, sums + 2 * half);
    }
}
