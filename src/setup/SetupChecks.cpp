#include "setup/SetupChecks.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::int64_t ScanBufferElements = std::int64_t{1} << 26;

} // namespace

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
