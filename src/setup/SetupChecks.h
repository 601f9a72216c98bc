#pragma once

#include <QString>

#include <cstdint>

// The real number formed by the text's leading characters (after leading blanks: optional sign,
// digits with '.' as the decimal point, optional exponent), up to the first character that cannot
// continue it; 0 when there is none. Only '.' is taken: a text that passes the check must still
// be a whole integer, so another separator only changes which of the two rejections is shown.
double LeadingReal(const QString& text);

// The integer formed by the leading characters (after leading blanks: optional sign and digits);
// 0 when there is none. A value beyond 32 bits is clamped to the nearest 32-bit bound, which every
// range check then rejects.
std::int32_t LeadingInteger(const QString& text);

// The averaging the check accepts is 1 <= v < the result: 1048576 div the divisor (a divisor of
// 0 or less counts as 1), and no more than fits the scan buffer, Averaging x PixelCount at most
// 2^26 elements.
std::int32_t AveragingLimit(std::int32_t averagingLimitDivisor, std::int32_t pixelCount);

// "(1-32)" for 2048 pixels (65536 div PixelCount); "(1- ? )" with no device or no pixels.
QString AveragingRangeText(std::int32_t pixelCount, bool connected);
