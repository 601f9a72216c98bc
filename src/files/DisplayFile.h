#pragma once

#include "files/TextLines.h"
#include "processing/ChartPoints.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// Writes "Single" CR LF, the pixel count CR LF and the scan block as the file's new content. An
// existing file is replaced only once everything has been written, so a failure throws
// std::runtime_error and leaves it as it was.
void writeDisplayFile(const QString& path, std::int32_t pixelCount, const QByteArray& block);

// What loading set: count is the number of points of series 0 that were overwritten, from
// point 0 on; the axis values are the bottom range to apply (bottomMaximum is 9999.0 when no
// record supplied it). Nothing is set when loaded is false.
struct LoadedDisplay {
    bool loaded = false;
    std::int32_t count = 0;
    std::optional<double> bottomMinimum, bottomMaximum;
};

// Reads a display file from text into the points of series0. The file is loaded only when its
// first line is exactly "Single". Line 2 gives the number of records from its leading digits
// (0 without any); line 3 is skipped. Of each record the first 25 characters count: x is the
// number before the first comma, y the number after it, each from the longest valid prefix
// ("  12.0,  13.0" gives 12.0) and 0 when there is none. Loading stops early at the end of the
// file, at a record without a comma and at the last point of series0. A line too long or a read
// error throws UnreadableFile before any point is set.
LoadedDisplay loadDisplay(TextLines& text, ChartSeries& series0);

// loadDisplay from the file at path; nothing when the file cannot be opened. A file that is not
// a regular file throws NotARegularFile.
std::optional<LoadedDisplay> loadDisplayFile(const QString& path, ChartSeries& series0);
