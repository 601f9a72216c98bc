#include "files/ScanBlock.h"

#include <charconv>
#include <cstddef>

namespace {

// Wide enough for any double in fixed notation with one decimal.
constexpr std::size_t NumberBufferSize = 400;
constexpr qsizetype FieldWidth = 5;

void appendPadded(QByteArray& out, const char* begin, const char* end) {
    const qsizetype length = end - begin;
    if (length < FieldWidth)
        out.append(FieldWidth - length, ' ');
    out.append(begin, length);
}

void appendN(QByteArray& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr - buffer);
}

void appendI5(QByteArray& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    appendPadded(out, buffer, result.ptr);
}

// to_chars rounds the exact binary value like printf and never looks at the C locale, which
// QCoreApplication sets from the environment.
void appendR5(QByteArray& out, double value) {
    char buffer[NumberBufferSize];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    appendPadded(out, buffer, result.ptr);
}

double pointAt(const std::vector<double>& values, std::int64_t i) {
    return static_cast<std::size_t>(i) < values.size() ? values[static_cast<std::size_t>(i)] : 0.0;
}

std::int32_t countAt(const RawDataValues& seriesData, std::int64_t scan, std::int64_t i) {
    if (static_cast<std::size_t>(scan) >= seriesData.size())
        return 0;
    const std::vector<std::int32_t>& row = seriesData[static_cast<std::size_t>(scan)];
    return static_cast<std::size_t>(i) < row.size() ? row[static_cast<std::size_t>(i)] : 0;
}

void appendAverageOneChannel(QByteArray& out, const ScanBlockInputs& in, std::int64_t p) {
    for (std::int64_t i = 0; i < p; ++i) {
        if (in.wavelengthUnits)
            appendR5(out, pointAt(in.series0.x, i));
        else
            appendN(out, i);
        out += ',';
        appendR5(out, pointAt(in.series0.y, i));
        out += '\n';
    }
}

void appendAverageTwoChannels(QByteArray& out, const ScanBlockInputs& in, std::int64_t p) {
    for (std::int64_t i = 0; i < p; ++i) {
        appendN(out, i);
        out += ',';
        appendR5(out, pointAt(in.series0.y, i));
        out += ',';
        appendR5(out, pointAt(in.series1.y, i));
        out += '\n';
    }
}

void appendIndividualOneChannel(QByteArray& out, const ScanBlockInputs& in, std::int64_t p,
                                std::int64_t scans) {
    for (std::int64_t i = 0; i < p; ++i) {
        appendN(out, i);
        out += ',';
        appendR5(out, pointAt(in.series0.x, i));
        out += ',';
        for (std::int64_t s = 0; s < scans; ++s) {
            appendI5(out, countAt(in.seriesData, s, i));
            out += ',';
        }
        out += "\r\n";
    }
}

void appendIndividualTwoChannels(QByteArray& out, const ScanBlockInputs& in, std::int64_t p,
                                 std::int64_t scans) {
    for (std::int64_t s = 0; s < scans; ++s) {
        for (std::int64_t i = 0; i < p; ++i) {
            if (i > 0)
                out += ',';
            appendN(out, i);
            out += ',';
            appendI5(out, countAt(in.seriesData, s, i));
            out += ',';
            appendR5(out, pointAt(in.series0.y, i));
        }
        out += "\r\n";
    }
}

// A guess of the block's size from typical field widths, so building it rarely reallocates.
qsizetype expectedSize(const ScanBlockInputs& in, std::int64_t p, std::int64_t scans) {
    constexpr std::int64_t Header = 16;
    constexpr std::int64_t Record = 20;
    constexpr std::int64_t Count = 7;
    std::int64_t records = 0;
    if (in.saveAverage)
        records = p * Record;
    else if (in.singleChannel)
        records = p * (Record + scans * Count);
    else
        records = scans * p * Record;
    return static_cast<qsizetype>(Header + records);
}

} // namespace

QString formatN(std::int64_t value) {
    QByteArray text;
    appendN(text, value);
    return QString::fromLatin1(text);
}

QString formatI5(std::int64_t value) {
    QByteArray text;
    appendI5(text, value);
    return QString::fromLatin1(text);
}

QString formatR5(double value) {
    QByteArray text;
    appendR5(text, value);
    return QString::fromLatin1(text);
}

QByteArray ScanBlockText(const ScanBlockInputs& in) {
    const std::int64_t p = in.pixelCount > 0 ? in.pixelCount : 0;
    const std::int64_t scans = in.averaging > 0 ? in.averaging : 0;
    QByteArray out;
    out.reserve(expectedSize(in, p, scans));
    out += "Scan ";
    appendN(out, in.blockNumber);
    out += ",   \r\n";
    if (in.saveAverage && in.singleChannel)
        appendAverageOneChannel(out, in, p);
    else if (in.saveAverage)
        appendAverageTwoChannels(out, in, p);
    else if (in.singleChannel)
        appendIndividualOneChannel(out, in, p, scans);
    else
        appendIndividualTwoChannels(out, in, p, scans);
    out += "\r\n";
    return out;
}
