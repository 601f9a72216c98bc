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

namespace {

constexpr qsizetype KeptChars = 25;
constexpr double UnloadedBottomMaximum = 9999.0;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads up to and including the next line feed and keeps the first 25 characters of it, so an
// overlong line costs no memory. False when the device had nothing left to read.
bool readRecord(QIODevice& in, QByteArray& kept) {
    kept.clear();
    bool readAny = false;
    char c = 0;
    while (in.getChar(&c)) {
        readAny = true;
        if (kept.size() < KeptChars)
            kept += c;
        if (c == '\n')
            break;
    }
    return readAny;
}

// The first 25 characters of the next line, without its line end.
QByteArray readLineHead(QIODevice& in) {
    QByteArray kept;
    readRecord(in, kept);
    if (kept.endsWith('\n'))
        kept.chop(1);
    if (kept.endsWith('\r'))
        kept.chop(1);
    return kept;
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

LoadedDisplay loadDisplayFile(QIODevice& in, ChartSeries& series0) {
    LoadedDisplay result;
    if (readLineHead(in) != "Single")
        return result;
    result.loaded = true;
    const std::int32_t count = leadingInteger(readLineHead(in));
    readLineHead(in);
    result.bottomMaximum = UnloadedBottomMaximum;

    const std::size_t points = std::min(series0.x.size(), series0.y.size());
    QByteArray record;
    for (std::int32_t k = 0; k < count && static_cast<std::size_t>(k) < points; ++k) {
        if (!readRecord(in, record))
            break;
        const qsizetype comma = record.indexOf(',');
        if (comma < 0)
            break;
        qsizetype yEnd = record.indexOf('\n', comma + 1);
        if (yEnd < 0)
            yEnd = record.size();
        const QByteArrayView kept(record);
        const double x = leadingNumber(kept.first(comma));
        const double y = leadingNumber(kept.sliced(comma + 1, yEnd - comma - 1));
        if (k == 0)
            result.bottomMinimum = x;
        if (k == count - 1)
            result.bottomMaximum = x;
        series0.x[static_cast<std::size_t>(k)] = x;
        series0.y[static_cast<std::size_t>(k)] = y;
        ++result.count;
    }
    return result;
}
