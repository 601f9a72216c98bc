#include "files/DisplayFile.h"

#include "files/ScanBlock.h"
#include "files/WholeFile.h"
#include "measurement/NumberText.h"

#include <QByteArrayView>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace {

constexpr qsizetype KeptChars = 25;
constexpr double UnloadedBottomMaximum = 9999.0;

// A record's number: its leading real, and 0 where that lies outside the range of a double.
double recordNumber(QByteArrayView text) {
    const double value = LeadingReal(text);
    return std::isfinite(value) ? value : 0.0;
}

} // namespace

void writeDisplayFile(const QString& path, std::int32_t pixelCount, const QByteArray& block) {
    writeWholeFile(path, "Single\r\n" + formatN(pixelCount).toLatin1() + "\r\n" + block,
                   "display file");
}

LoadedDisplay loadDisplay(TextLines& text, ChartSeries& series0) {
    LoadedDisplay result;
    const auto nextKept = [&text] { return text.next(KeptChars); };
    if (nextKept().value_or(QByteArray()) != "Single")
        return result;
    result.loaded = true;
    const std::int32_t count = LeadingInteger(QByteArrayView(nextKept().value_or(QByteArray())));
    nextKept();
    result.bottomMaximum = UnloadedBottomMaximum;

    // Points go to the series only once the whole file has been read, so a file that fails
    // part way leaves the chart as it was.
    const std::size_t points = std::min(series0.x.size(), series0.y.size());
    std::vector<double> xs, ys;
    for (std::int32_t k = 0; k < count && static_cast<std::size_t>(k) < points; ++k) {
        const std::optional<QByteArray> record = nextKept();
        if (!record)
            break;
        const qsizetype comma = record->indexOf(',');
        if (comma < 0)
            break;
        const QByteArrayView kept(*record);
        const double x = recordNumber(kept.first(comma));
        if (k == 0)
            result.bottomMinimum = x;
        if (k == count - 1)
            result.bottomMaximum = x;
        xs.push_back(x);
        ys.push_back(recordNumber(kept.sliced(comma + 1)));
    }
    std::copy(xs.begin(), xs.end(), series0.x.begin());
    std::copy(ys.begin(), ys.end(), series0.y.begin());
    result.count = static_cast<std::int32_t>(xs.size());
    return result;
}

std::optional<LoadedDisplay> loadDisplayFile(const QString& path, ChartSeries& series0) {
    std::optional<LoadedDisplay> loaded;
    readTextFile(path, QStringLiteral("display file"),
                 [&](TextLines& text) { loaded = loadDisplay(text, series0); });
    return loaded;
}
