// SPDX-License-Identifier: MIT
#pragma once
// Settings of the emulated programmer, as given by --emulate KEY=VALUE.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "firmware/firmware_model.h"

namespace vantro::emulator {

// How much later than its latency a late=N answer comes: past a time limit under
// a second, so that it arrives after its wait has given up.
inline constexpr std::chrono::milliseconds kLateBy{1000};

struct EmulatorSettings {
    std::chrono::milliseconds latency{0};  // latency=MS; 0 answers at once
    // Faults; N counts every output report received, from 1.
    std::optional<std::uint64_t> refuse{};  // refuse=N: the Nth report is answered 0xEE
    std::optional<std::uint64_t> silent{};  // silent=N: the Nth and later get no answer
    std::optional<std::uint64_t> unplug{};  // unplug=N: removed when the Nth arrives
    std::optional<std::uint64_t> twice{};   // twice=N: the Nth is answered twice
    std::optional<std::uint64_t> late{};    // late=N: the Nth is answered kLateBy late
    std::optional<std::uint8_t> lock{};     // lock=V: the lock-bit command is answered V
    // flash=BYTES, eeprom=BYTES, wrap=on|off, eeprom-ff=skip|write, eeprom-fill=XX
    firmware::FirmwareModel model{};
};

// How a value is written: a number (decimal or 0x hex) within min..max, one of
// two words (the value is the word's index), or exactly two hexadecimal digits.
enum class ValueKind { Number, Word, HexByte };

// One row of the table of settings: the --emulate help, the checks and the
// documentation's list (compared by a test) all come from these rows.
struct SettingKey {
    std::string_view name;
    std::uint64_t min;
    std::uint64_t max;  // max of uint64: no bound
    void (*store)(EmulatorSettings&, std::uint64_t);
    ValueKind kind = ValueKind::Number;
    std::array<std::string_view, 2> words{};
};

// Every key --emulate takes, in the order the help lists them.
std::span<const SettingKey> setting_keys();

// Applies one KEY=VALUE. Returns an error message (naming the key and the
// accepted values), or nothing when the setting was applied.
std::optional<std::string> apply_setting(EmulatorSettings& settings, std::string_view key_value);

// A setting's number: decimal, or hexadecimal after "0x".
std::optional<std::uint64_t> parse_setting_number(std::string_view text);
// The message for an item whose value lies outside min..max (max of uint64: no bound).
std::string setting_range_error(std::string_view item, std::string_view name, std::uint64_t min,
                                std::uint64_t max);

}  // namespace vantro::emulator
