#include "measurement/TemperatureReply.h"

#include "measurement/NumberText.h"

#include <algorithm>
#include <limits>

std::array<std::int32_t, 3> SplitTemperatureReply(const std::wstring& reply) {
    std::array<std::int32_t, 3> readings{};
    StoreTemperatureReadings(reply, readings);
    return readings;
}

void StoreTemperatureReadings(const std::wstring& reply, std::array<std::int32_t, 3>& readings) {
    const std::size_t end = std::min(reply.size(), TemperatureReplyLength);
    std::size_t pos = 0;
    for (std::size_t k = 0; k < readings.size(); ++k) {
        if (k > 0) {
            while (pos < end && reply[pos] == L' ')
                ++pos;
        }
        std::string digits;
        while (pos < end) {
            const wchar_t c = reply[pos++];
            if (c == L' ')
                break;
            if (c >= L'0' && c <= L'9')
                digits += static_cast<char>(c);
        }
        readings[k] = parseInteger(QString::fromLatin1(digits));
    }
}

std::optional<std::int32_t> SensorTemperature(std::int32_t raw, std::int32_t cal10,
                                              std::int32_t cal50) {
    const std::int64_t step = (std::int64_t{cal50} - cal10) / 40;
    if (step == 0)
        return std::nullopt;
    const std::int64_t degrees = (std::int64_t{raw} - cal10) / step + 10;
    if (degrees < std::numeric_limits<std::int32_t>::min() ||
        degrees > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(degrees);
}

QString TemperaturePanelText(int sensor, std::optional<std::int32_t> temperature) {
    return QStringLiteral("T%1 is ").arg(sensor) +
           (temperature ? QString::number(*temperature) : QStringLiteral("?"));
}
