#include "simulator/SimulatorSettings.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <stdexcept>

namespace {

constexpr std::array<const char*, SimulatorOperationCount> OperationNames{
    "GetDeviceList", "SetAveraging", "SetIntegrationTime", "SetMode",     "Measure",
    "ReadData",      "OpenDevice",   "CloseDevice",        "SendCommand",
};

// Thrown while reading one variable; carries the message that names it.
class Refusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void refuse(const char* variable, const std::string& why) {
    throw Refusal(std::string(variable) + ": " + why);
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::vector<std::string_view> splitAtCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return parts;
        start = comma + 1;
    }
}

template <typename Number> std::optional<Number> wholeNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int readInteger(const char* variable, std::string_view text, int low, int high) {
    const auto value = wholeNumber<int>(text);
    if (!value || *value < low || *value > high)
        refuse(variable, quoted(text) + " is not a whole number from " + std::to_string(low) +
                             " to " + std::to_string(high));
    return *value;
}

std::vector<std::wstring> readDevices(const char* variable, std::string_view text) {
    std::vector<std::wstring> devices;
    for (std::string_view part : splitAtCommas(text)) {
        if (part.empty())
            refuse(variable, "empty device name in " + quoted(text));
        std::wstring name;
        if (!decodeUtf8(part, name))
            refuse(variable, quoted(part) + " is not valid UTF-8");
        if (std::find(devices.begin(), devices.end(), name) != devices.end())
            refuse(variable, "device name " + quoted(part) + " appears twice");
        devices.push_back(std::move(name));
    }
    return devices;
}

SimulatorLayout readLayout(const char* variable, std::string_view text) {
    if (text == "single")
        return SimulatorLayout::Single;
    if (text == "halves")
        return SimulatorLayout::Halves;
    if (text == "dual")
        return SimulatorLayout::Dual;
    refuse(variable, quoted(text) + " is not one of single, halves, dual");
}

double readTriggerHz(const char* variable, std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() ||
        !(value >= SimulatorSettings::MinTriggerHz && value <= SimulatorSettings::MaxTriggerHz))
        refuse(variable, quoted(text) + " is not a pulse rate in Hz from 0.01 to 100000");
    return value;
}

std::vector<SimulatedFailure> readFailures(const char* variable, std::string_view text) {
    std::vector<SimulatedFailure> failures;
    for (std::string_view entry : splitAtCommas(text)) {
        const std::size_t colon = entry.find(':');
        const std::string_view name = entry.substr(0, colon);
        const auto known = std::find(OperationNames.begin(), OperationNames.end(), name);
        if (known == OperationNames.end())
            refuse(variable, quoted(name) + " is not an operation name (GetDeviceList, "
                                            "SetAveraging, SetIntegrationTime, SetMode, Measure, "
                                            "ReadData, OpenDevice, CloseDevice, SendCommand)");
        SimulatedFailure failure;
        failure.operation = static_cast<SimulatorOperation>(known - OperationNames.begin());
        if (colon != std::string_view::npos) {
            const auto call = wholeNumber<std::uint64_t>(entry.substr(colon + 1));
            if (!call || *call == 0)
                refuse(variable, "in " + quoted(entry) + " the call number is not 1 or more");
            failure.onlyCall = *call;
        }
        failures.push_back(failure);
    }
    return failures;
}

std::uint64_t readSeed(const char* variable, std::string_view text) {
    const auto value = wholeNumber<std::uint64_t>(text);
    if (!value)
        refuse(variable, quoted(text) + " is not a whole number from 0 to 18446744073709551615");
    return *value;
}

// Bytes in the sequence a lead byte starts; 0 for a byte that cannot start one.
std::size_t utf8Length(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead >> 5) == 0x6)
        return 2;
    if ((lead >> 4) == 0xE)
        return 3;
    if ((lead >> 3) == 0x1E)
        return 4;
    return 0;
}

std::optional<std::string_view> variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return std::string_view(value);
}

void readAll(SimulatorSettings& settings) {
    if (auto text = variable("HALVANE_SIM_DEVICES"))
        settings.devices = readDevices("HALVANE_SIM_DEVICES", *text);
    if (auto text = variable("HALVANE_SIM_LAYOUT"))
        settings.layout = readLayout("HALVANE_SIM_LAYOUT", *text);
    if (auto text = variable("HALVANE_SIM_PIXELS"))
        settings.pixels = readInteger("HALVANE_SIM_PIXELS", *text, SimulatorSettings::MinPixels,
                                      SimulatorSettings::MaxPixels);
    if (settings.layout != SimulatorLayout::Single && settings.pixels % 2 != 0)
        refuse("HALVANE_SIM_PIXELS", std::to_string(settings.pixels) +
                                         " is odd, but a two-channel HALVANE_SIM_LAYOUT needs an "
                                         "even element count");
    if (auto text = variable("HALVANE_SIM_BITS"))
        settings.bits = readInteger("HALVANE_SIM_BITS", *text, SimulatorSettings::MinBits,
                                    SimulatorSettings::MaxBits);
    if (auto text = variable("HALVANE_SIM_TRIGGER_HZ"))
        settings.triggerHz = readTriggerHz("HALVANE_SIM_TRIGGER_HZ", *text);
    if (auto text = variable("HALVANE_SIM_FAIL"))
        settings.failures = readFailures("HALVANE_SIM_FAIL", *text);
    if (auto text = variable("HALVANE_SIM_SEED"))
        settings.seed = readSeed("HALVANE_SIM_SEED", *text);
}

} // namespace

const char* operationName(SimulatorOperation operation) {
    return OperationNames[static_cast<std::size_t>(operation)];
}

SimulatorSettings SimulatorSettings::fromEnvironment() {
    SimulatorSettings settings;
    try {
        readAll(settings);
    } catch (const Refusal& refusal) {
        settings.error = refusal.what();
    }
    return settings;
}

bool decodeUtf8(std::string_view text, std::wstring& decoded) {
    decoded.clear();
    bool valid = true;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8Length(lead);
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        bool good = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; good && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            good = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        good = good && code >= smallest[length] && code <= 0x10FFFF &&
               !(code >= 0xD800 && code <= 0xDFFF);
        if (good) {
            decoded.push_back(static_cast<wchar_t>(code));
            i += length;
        } else {
            decoded.push_back(L'\uFFFD');
            valid = false;
            ++i;
        }
    }
    return valid;
}
