// Reads the input, decoded as UTF-8, with every number reader. Where the strict file readers
// accept a text, the setup dialog's lenient readers must read the same value from it, and a
// formatted value must read back.
#include "FuzzCheck.h"
#include "measurement/NumberText.h"

#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

std::optional<double> strictFloat(const QString& text, QChar separator) {
    try {
        return parseFloat(text, separator);
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

void checkFloat(const QString& text, QChar separator) {
    const std::optional<double> value = strictFloat(text, separator);
    if (!value)
        return;
    FUZZ_CHECK(std::isfinite(*value));
    const QString formatted = formatGeneral(*value, separator);
    const std::optional<double> again = strictFloat(formatted, separator);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(formatGeneral(*again, separator) == formatted);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const double real = LeadingReal(text);
    const std::int32_t integer = LeadingInteger(text);
    try {
        FUZZ_CHECK(parseInteger(text) == integer);
    } catch (const ConversionError&) {
    }
    if (const std::optional<double> value = strictFloat(text, u'.'))
        FUZZ_CHECK(*value == real);
    checkFloat(text, u'.');
    checkFloat(text, u',');
    return 0;
}
