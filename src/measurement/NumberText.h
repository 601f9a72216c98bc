#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <cstdint>
#include <stdexcept>

// A text that does not convert to a number; what() is the message shown to the user (UTF-8),
// with the text's control characters and bytes that are not UTF-8 written as escapes ("\0",
// "\x01", "\xff"), so the message is always whole.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& message);
};

// General floating-point format: at most 15 significant digits, no trailing zeros, no thousands
// separators; exponent form ("1E-5", "1.5E20") when the decimal exponent is below -4 or at
// least 15. NaN and infinities print as "NAN", "INF", "-INF".
QString formatGeneral(double value, QChar decimalSeparator);

// Optional sign and decimal digits, with leading and trailing blanks; throws ConversionError
// ("'<text>' is not a valid integer value") for anything else or a value outside 32 bits.
std::int32_t parseInteger(const QString& text);
// An integer line of the program's files, as UTF-8 bytes; otherwise as parseInteger.
std::int32_t parseFileInteger(QByteArrayView utf8);

// Optional sign, digits with the given decimal separator and an optional exponent (e or E, signed
// integer), with leading and trailing blanks; throws ConversionError
// ("'<text>' is not a valid floating point value") for anything else or a value out of range.
double parseFloat(const QString& text, QChar decimalSeparator);

// A floating-point line of the program's files, as UTF-8 bytes. The files hold no thousands
// separators, so the text may use the locale's decimal separator, a point or a comma; otherwise
// as parseFloat.
double parseFileFloat(QByteArrayView utf8, QChar decimalSeparator);

// The real number formed by the text's leading characters (after leading blanks and tabs: optional
// sign, digits with '.' as the decimal point, optional exponent), up to the first character that
// cannot continue it; 0 when there is none. A value beyond the range of a double is an infinity
// of its sign, one too small for it 0.
double LeadingReal(QByteArrayView text);
double LeadingReal(const QString& text);

// The integer formed by the leading characters (after leading blanks and tabs: optional sign and
// digits); 0 when there is none. A value beyond 32 bits is clamped to the nearest 32-bit bound.
std::int32_t LeadingInteger(QByteArrayView text);
std::int32_t LeadingInteger(const QString& text);

// Decimal separator of the user's regional settings.
QChar systemDecimalSeparator();
