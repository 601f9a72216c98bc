#pragma once

#include <QString>

#include <cstdint>

// The averaging the check accepts is 1 <= v < the result: 1048576 div the divisor (a divisor of
// 0 or less counts as 1), and no more than fits the scan buffer, Averaging x PixelCount at most
// 2^26 elements.
std::int32_t AveragingLimit(std::int32_t averagingLimitDivisor, std::int32_t pixelCount);

// "(1-32)" for 2048 pixels (65536 div PixelCount); "(1- ? )" with no device or no pixels.
QString AveragingRangeText(std::int32_t pixelCount, bool connected);
