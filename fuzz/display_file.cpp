// Loads the input as a display file into a series of the program's usual size and into one of
// two points. Loading may overwrite only the points it reports, never more than the series holds.
#include "FuzzCheck.h"
#include "files/DisplayFile.h"
#include "processing/ChartPoints.h"

#include <QBuffer>
#include <QByteArray>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

void checkLoad(const QByteArray& content, std::size_t points) {
    constexpr double Untouched = std::numeric_limits<double>::quiet_NaN();
    ChartSeries series;
    series.appendPoints(points);
    series.x.assign(points, Untouched);
    series.y.assign(points, Untouched);

    QByteArray bytes = content;
    QBuffer buffer(&bytes);
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly));
    TextLines text(buffer, QStringLiteral("the display file"));
    LoadedDisplay loaded;
    try {
        loaded = loadDisplay(text, series);
    } catch (const UnreadableFile&) {
        // A line too long is refused before any point is set.
        for (std::size_t k = 0; k < points; ++k)
            FUZZ_CHECK(std::isnan(series.x[k]) && std::isnan(series.y[k]));
        return;
    }

    FUZZ_CHECK(series.x.size() == points && series.y.size() == points);
    FUZZ_CHECK(loaded.count >= 0 && static_cast<std::size_t>(loaded.count) <= points);
    if (!loaded.loaded) {
        FUZZ_CHECK(loaded.count == 0);
        FUZZ_CHECK(!loaded.bottomMinimum && !loaded.bottomMaximum);
    } else {
        FUZZ_CHECK(loaded.bottomMaximum.has_value());
        FUZZ_CHECK(loaded.bottomMinimum.has_value() == (loaded.count > 0));
    }
    for (std::size_t k = 0; k < points; ++k) {
        const bool overwritten = k < static_cast<std::size_t>(loaded.count);
        FUZZ_CHECK(overwritten == std::isfinite(series.x[k]));
        FUZZ_CHECK(overwritten == std::isfinite(series.y[k]));
    }
    if (loaded.count > 0)
        FUZZ_CHECK(*loaded.bottomMinimum == series.x[0]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkLoad(content, 2050);
    checkLoad(content, 2);
    return 0;
}
