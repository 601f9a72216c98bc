// Splits the input, decoded as UTF-8, as the reply to the temperature query. Both entry points
// must agree, and a reading holds digits only, so it is never negative.
#include "FuzzCheck.h"
#include "measurement/TemperatureReply.h"

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring reply =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
            .toStdWString();
    constexpr std::int32_t Unset = -1;
    std::array<std::int32_t, 3> stored{Unset, Unset, Unset};
    bool storedAll = true;
    try {
        StoreTemperatureReadings(reply, stored);
    } catch (const std::runtime_error&) {
        storedAll = false;
    }
    std::size_t set = 0;
    while (set < stored.size() && stored[set] != Unset)
        ++set;
    for (std::size_t k = set; k < stored.size(); ++k)
        FUZZ_CHECK(stored[k] == Unset);
    FUZZ_CHECK(storedAll == (set == stored.size()));

    try {
        const std::array<std::int32_t, 3> split = SplitTemperatureReply(reply);
        FUZZ_CHECK(storedAll && split == stored);
    } catch (const std::runtime_error&) {
        FUZZ_CHECK(!storedAll);
        return 0;
    }
    // The readings as raw value and calibration points, the way the panels use them.
    const std::optional<std::int32_t> degrees = SensorTemperature(stored[0], stored[1], stored[2]);
    FUZZ_CHECK(!TemperaturePanelText(1, degrees).isEmpty());
    return 0;
}
