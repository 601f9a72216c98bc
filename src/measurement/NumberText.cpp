#include "measurement/NumberText.h"

#include "measurement/VisibleText.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

ConversionError::ConversionError(const QString& message)
    : std::runtime_error(message.toStdString()) {}

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The text between leading and trailing blanks.
QStringView trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return QStringView(text).mid(begin, end - begin);
}

// shown is the text as the message gives it, escapes included.
[[noreturn]] void failInteger(const QString& shown) {
    throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(shown));
}

[[noreturn]] void failFloat(const QString& shown) {
    throw ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(shown));
}

// Appends the digits starting at pos to out; returns how many there were.
qsizetype takeDigits(QStringView text, qsizetype& pos, std::string& out) {
    const qsizetype start = pos;
    while (pos < text.size() && isDigit(text[pos]))
        out += static_cast<char>(text[pos++].unicode());
    return pos - start;
}

} // namespace

QString formatGeneral(double value, QChar decimalSeparator) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // Rounding to 15 significant digits first, so the exponent is that of the rounded value.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);
    const std::size_t ePos = text.find('e');
    const bool negative = text[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < ePos; ++i) {
        if (text[i] != '.')
            digits += text[i];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::stoi(text.substr(ePos + 1));

    QString out;
    if (negative)
        out += u'-';
    const QString allDigits = QString::fromLatin1(digits);
    if (exponent < -4 || exponent >= 15) {
        out += allDigits.left(1);
        if (allDigits.size() > 1)
            out += decimalSeparator + allDigits.mid(1);
        out += u'E' + QString::number(exponent);
    } else if (exponent < 0) {
        out += u'0' + QString(decimalSeparator) + QString(-exponent - 1, u'0') + allDigits;
    } else {
        const qsizetype integerDigits = exponent + 1;
        if (allDigits.size() <= integerDigits) {
            out += allDigits + QString(integerDigits - allDigits.size(), u'0');
        } else {
            out += allDigits.left(integerDigits) + decimalSeparator + allDigits.mid(integerDigits);
        }
    }
    return out;
}

namespace {

// An optional sign; only a minus reaches the text to convert.
void takeSign(QStringView body, qsizetype& pos, std::string& ascii) {
    if (pos < body.size() && (body[pos] == u'+' || body[pos] == u'-')) {
        if (body[pos] == u'-')
            ascii += '-';
        ++pos;
    }
}

std::optional<std::int32_t> integerValue(const QString& text) {
    const QStringView body = trimBlanks(text);
    qsizetype pos = 0;
    std::string ascii;
    takeSign(body, pos, ascii);
    if (takeDigits(body, pos, ascii) == 0 || pos != body.size())
        return std::nullopt;
    std::int32_t value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

std::optional<double> floatValue(const QString& text, QChar decimalSeparator) {
    const QStringView body = trimBlanks(text);
    qsizetype pos = 0;
    std::string ascii;
    takeSign(body, pos, ascii);
    qsizetype mantissaDigits = takeDigits(body, pos, ascii);
    if (pos < body.size() && body[pos] == decimalSeparator) {
        ++pos;
        ascii += '.';
        mantissaDigits += takeDigits(body, pos, ascii);
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (pos < body.size() && (body[pos] == u'e' || body[pos] == u'E')) {
        ++pos;
        ascii += 'e';
        if (pos < body.size() && (body[pos] == u'+' || body[pos] == u'-'))
            ascii += static_cast<char>(body[pos++].unicode());
        if (takeDigits(body, pos, ascii) == 0)
            return std::nullopt;
    }
    if (pos != body.size())
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The files hold no thousands separators, so a point or a comma can only be the decimal
// separator: a file stays readable after a change of regional settings.
QChar fileSeparator(const QString& text, QChar decimalSeparator) {
    if (text.contains(decimalSeparator))
        return decimalSeparator;
    if (text.contains(u'.'))
        return u'.';
    if (text.contains(u','))
        return u',';
    return decimalSeparator;
}

} // namespace

std::int32_t parseInteger(const QString& text) {
    if (const std::optional<std::int32_t> value = integerValue(text))
        return *value;
    failInteger(visibleText(text));
}

std::int32_t parseFileInteger(QByteArrayView utf8) {
    if (const std::optional<std::int32_t> value = integerValue(QString::fromUtf8(utf8)))
        return *value;
    failInteger(visibleBytes(utf8));
}

double parseFloat(const QString& text, QChar decimalSeparator) {
    if (const std::optional<double> value = floatValue(text, decimalSeparator))
        return *value;
    failFloat(visibleText(text));
}

double parseFileFloat(QByteArrayView utf8, QChar decimalSeparator) {
    const QString text = QString::fromUtf8(utf8);
    if (const std::optional<double> value = floatValue(text, fileSeparator(text, decimalSeparator)))
        return *value;
    failFloat(visibleBytes(utf8));
}

namespace {

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

qsizetype skipLeadingBlanks(QByteArrayView text) {
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    return pos;
}

qsizetype skipSign(QByteArrayView text, qsizetype pos) {
    return pos < text.size() && (text[pos] == '+' || text[pos] == '-') ? pos + 1 : pos;
}

qsizetype skipAsciiDigits(QByteArrayView text, qsizetype pos) {
    while (pos < text.size() && isAsciiDigit(text[pos]))
        ++pos;
    return pos;
}

} // namespace

double LeadingReal(QByteArrayView text) {
    const qsizetype begin = skipLeadingBlanks(text);
    const qsizetype digitsBegin = skipSign(text, begin);
    const qsizetype integerEnd = skipAsciiDigits(text, digitsBegin);
    qsizetype end = integerEnd;
    bool hasDigits = integerEnd > digitsBegin;
    if (end < text.size() && text[end] == '.') {
        const qsizetype fractionEnd = skipAsciiDigits(text, end + 1);
        hasDigits = hasDigits || fractionEnd > end + 1;
        if (hasDigits)
            end = fractionEnd;
    }
    if (!hasDigits)
        return 0.0;
    qsizetype exponentValueBegin = end;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        const qsizetype exponentDigits = skipSign(text, end + 1);
        const qsizetype exponentEnd = skipAsciiDigits(text, exponentDigits);
        if (exponentEnd > exponentDigits) {
            exponentValueBegin = end + 1;
            end = exponentEnd;
        }
    }
    // from_chars takes a minus sign but no plus sign.
    const bool negative = text[begin] == '-';
    const char* first = text.data() + (negative ? begin : digitsBegin);
    double value = 0.0;
    const auto result = std::from_chars(first, text.data() + end, value);
    if (result.ec != std::errc::result_out_of_range)
        return value;
    // Out of range: too large when the exponent, or without one the digits, make it so.
    const bool large =
        exponentValueBegin < end ? text[exponentValueBegin] != '-' : integerEnd > digitsBegin;
    if (!large)
        return 0.0;
    const double infinity = std::numeric_limits<double>::infinity();
    return negative ? -infinity : infinity;
}

double LeadingReal(const QString& text) {
    // Nothing beyond ASCII takes part in a number, so the UTF-8 bytes read the same.
    return LeadingReal(QByteArrayView(text.toUtf8()));
}

std::int32_t LeadingInteger(QByteArrayView text) {
    qsizetype pos = skipLeadingBlanks(text);
    const bool negative = pos < text.size() && text[pos] == '-';
    pos = skipSign(text, pos);
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; pos < text.size() && isAsciiDigit(text[pos]); ++pos)
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[pos] - '0'), highest + 1);
    return static_cast<std::int32_t>(negative ? std::max(-magnitude, lowest)
                                              : std::min(magnitude, highest));
}

std::int32_t LeadingInteger(const QString& text) {
    return LeadingInteger(QByteArrayView(text.toUtf8()));
}

QChar systemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point[0];
}
