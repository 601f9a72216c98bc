// Parses the input as a device properties file with either decimal separator, from memory. What
// parses must be written and parsed again to the same text; what does not must say why.
#include "FuzzCheck.h"
#include "files/DevicePropertiesFile.h"
#include "measurement/NumberText.h"

#include <QBuffer>
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

std::optional<DeviceProperties> parse(const QByteArray& content, QChar separator) {
    QByteArray bytes = content;
    QBuffer buffer(&bytes);
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly));
    TextLines text(buffer, QStringLiteral("the device properties file"));
    try {
        return parseDeviceProperties(text, separator);
    } catch (const ConversionError& error) {
        FUZZ_CHECK(*error.what() != '\0');
    } catch (const UnreadableFile& error) {
        FUZZ_CHECK(*error.what() != '\0');
    }
    return std::nullopt;
}

void checkRead(const QByteArray& content, QChar separator) {
    const std::optional<DeviceProperties> values = parse(content, separator);
    if (!values)
        return;
    const QByteArray written = devicePropertiesText(*values, separator);
    const std::optional<DeviceProperties> again = parse(written, separator);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(devicePropertiesText(*again, separator) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkRead(content, u'.');
    checkRead(content, u',');
    return 0;
}
