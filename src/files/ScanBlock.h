#pragma once

#include "measurement/ScanSummation.h"
#include "processing/ChartPoints.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// Number texts of the data files. They always use '.' as decimal separator, whatever the
// locale, so a file reads back the same everywhere.

// Plain decimal integer: "0", "2048", "-7".
QString formatN(std::int64_t value);
// Integer right-aligned in at least 5 characters: "  123", "65535".
QString formatI5(std::int64_t value);
// Fixed point with one decimal (rounded as printf's %.1f), right-aligned in at least 5
// characters: "  7.0", " -0.0" for -0.001, "65535.0".
QString formatR5(double value);

// What one scan block is made of. series0 holds channel 1, series1 channel 2; seriesData holds
// one row of raw counts per scan.
struct ScanBlockInputs {
    std::uint16_t blockNumber;
    bool saveAverage;
    bool singleChannel;
    bool wavelengthUnits;
    std::int32_t pixelCount;
    std::int32_t averaging;
    const ChartSeries& series0;
    const ChartSeries& series1;
    const RawDataValues& seriesData;
};

// The whole block: header "Scan <n>,   " CR LF, the records of the kind chosen by saveAverage
// and singleChannel, then one empty line CR LF. Average records end with LF, individual ones
// with CR LF. In the two-channel individual kind a comma separates the fields of one element
// from those of the next. A value the inputs do not hold (a series shorter than pixelCount
// points, fewer scans or counts than averaging and pixelCount) is written as 0.
QByteArray ScanBlockText(const ScanBlockInputs& in);
