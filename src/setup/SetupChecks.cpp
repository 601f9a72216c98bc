#include "setup/SetupChecks.h"

#include <algorithm>
#include <limits>

namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

qsizetype SkipBlanks(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    return pos;
}

qsizetype SkipSign(const QString& text, qsizetype pos) {
    return pos < text.size() && (text[pos] == u'+' || text[pos] == u'-') ? pos + 1 : pos;
}

qsizetype SkipDigits(const QString& text, qsizetype pos) {
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

constexpr std::int64_t ScanBufferElements = std::int64_t{1} << 26;

} // namespace

double LeadingReal(const QString& text) {
    const qsizetype begin = SkipBlanks(text);
    qsizetype pos = SkipSign(text, begin);
    const qsizetype integerEnd = SkipDigits(text, pos);
    qsizetype digits = integerEnd - pos;
    pos = integerEnd;
    if (pos < text.size() && text[pos] == u'.') {
        const qsizetype fractionEnd = SkipDigits(text, pos + 1);
        if (digits > 0 || fractionEnd > pos + 1) {
            digits += fractionEnd - pos - 1;
            pos = fractionEnd;
        }
    }
    if (digits == 0)
        return 0;
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        const qsizetype exponentDigits = SkipSign(text, pos + 1);
        const qsizetype exponentEnd = SkipDigits(text, exponentDigits);
        if (exponentEnd > exponentDigits)
            pos = exponentEnd;
    }
    // toDouble gives an infinity on overflow and 0 on underflow, which the > 0 check reads right.
    return text.mid(begin, pos - begin).toDouble();
}

std::int32_t LeadingInteger(const QString& text) {
    qsizetype pos = SkipBlanks(text);
    const bool negative = pos < text.size() && text[pos] == u'-';
    pos = SkipSign(text, pos);
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos)
        magnitude = std::min(magnitude * 10 + (text[pos].unicode() - u'0'), highest + 1);
    return static_cast<std::int32_t>(negative ? std::max(-magnitude, lowest)
                                              : std::min(magnitude, highest));
}

std::int32_t AveragingLimit(std::int32_t averagingLimitDivisor, std::int32_t pixelCount) {
    const std::int64_t byDivisor = 1048576 / std::max(averagingLimitDivisor, std::int32_t{1});
    const std::int64_t byBuffer = ScanBufferElements / std::max(pixelCount, std::int32_t{1}) + 1;
    return static_cast<std::int32_t>(std::min(byDivisor, byBuffer));
}

QString AveragingRangeText(std::int32_t pixelCount, bool connected) {
    if (!connected || pixelCount <= 0)
        return QStringLiteral("(1- ? )");
    return QStringLiteral("(1-%1)").arg(65536u / static_cast<std::uint32_t>(pixelCount));
}
