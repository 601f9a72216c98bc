#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The part of the "J" reply that holds the three raw sensor readings.
inline constexpr std::size_t TemperatureReplyLength = 20;

// Splits the first 20 characters of the reply into three readings, sensor 1 first, and converts
// them. A reading's text is the digits among the characters up to and including the first blank
// after its start (a sign or a decimal point is dropped: "-12" gives 12, "12.5" gives 125);
// blanks between readings are skipped. A reading that runs into the end of the 20 characters
// keeps the digits collected so far. An empty or too large text throws ConversionError
// "'<text>' is not a valid integer value".
std::array<std::int32_t, 3> SplitTemperatureReply(const std::wstring& reply);

// As SplitTemperatureReply, but stores each reading into readings[k] as soon as it converts, so
// a failing reading leaves those before it stored.
void StoreTemperatureReadings(const std::wstring& reply, std::array<std::int32_t, 3>& readings);

// Whole degrees Celsius by linear interpolation between the 10 degC and 50 degC readings, both
// divisions truncating. Empty when the two calibration readings are less than 40 apart (no step
// to divide by) or the result does not fit 32 bits.
std::optional<std::int32_t> SensorTemperature(std::int32_t raw, std::int32_t cal10,
                                              std::int32_t cal50);

// "T1 is 23" for sensor 1 (1..3), or "T1 is ?" without a temperature.
QString TemperaturePanelText(int sensor, std::optional<std::int32_t> temperature);
