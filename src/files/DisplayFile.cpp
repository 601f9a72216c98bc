#include "files/DisplayFile.h"

#include "files/ScanBlock.h"
#include "files/WholeFile.h"

#include <QByteArrayView>
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace {

constexpr qsizetype KeptChars = 25;
constexpr double UnloadedBottomMaximum = 9999.0;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

qsizetype skipBlanks(QByteArrayView text) {
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos;
}

qsizetype skipDigits(QByteArrayView text, qsizetype pos) {
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos;
}

// Blanks, an optional sign and the digits that follow; 0 without digits, limited to 32 bits.
std::int32_t leadingInteger(QByteArrayView text) {
    qsizetype pos = skipBlanks(text);
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        ++pos;
    std::int64_t value = 0;
    constexpr std::int64_t Limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; pos < text.size() && isDigit(text[pos]); ++pos)
        value = std::min(Limit, value * 10 + (text[pos] - '0'));
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min(value, Limit - 1));
}

// The longest prefix after blanks that reads as sign, digits, decimal point and digits, and
// exponent; 0 when there is none or it lies outside the range of a double.
double leadingNumber(QByteArrayView text) {
    qsizetype pos = skipBlanks(text);
    // from_chars takes a minus sign but no plus sign.
    const qsizetype start = pos < text.size() && text[pos] == '+' ? pos + 1 : pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    const qsizetype integerEnd = skipDigits(text, pos);
    qsizetype end = integerEnd;
    bool hasDigits = integerEnd > pos;
    if (end < text.size() && text[end] == '.') {
        const qsizetype fractionEnd = skipDigits(text, end + 1);
        hasDigits = hasDigits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!hasDigits)
        return 0.0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        const qsizetype exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data() + start, text.data() + end, value);
    return result.ec == std::errc() ? value : 0.0;
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
    const std::int32_t count = leadingInteger(nextKept().value_or(QByteArray()));
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
        const double x = leadingNumber(kept.first(comma));
        if (k == 0)
            result.bottomMinimum = x;
        if (k == count - 1)
            result.bottomMaximum = x;
        xs.push_back(x);
        ys.push_back(leadingNumber(kept.sliced(comma + 1)));
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
