#include "measurement/TemperatureReply.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace {

// The reading's digits as a 32-bit value, with the message of the program's integer conversion
// (the number-text helpers live in a unit above this one).
std::int32_t ConvertReading(const std::string& digits) {
    std::int32_t value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        throw std::runtime_error("'" + digits + "' is not a valid integer value");
    return value;
}

} // namespace

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
        readings[k] = ConvertReading(digits);
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
