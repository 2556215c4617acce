// SPDX-License-Identifier: MIT
#pragma once
// Settings of the emulated programmer, as given by --emulate KEY=VALUE.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantro::emulator {

struct EmulatorSettings {
    std::uint32_t flash_size = 65536;      // flash=BYTES
    std::uint32_t eeprom_size = 2048;      // eeprom=BYTES
    std::chrono::milliseconds latency{0};  // latency=MS; 0 answers at once
    // Faults; N counts every output report received, from 1.
    std::optional<std::uint64_t> refuse{};  // refuse=N: the Nth report is answered 0xEE
    std::optional<std::uint64_t> silent{};  // silent=N: the Nth and later get no answer
    std::optional<std::uint64_t> unplug{};  // unplug=N: removed when the Nth arrives
    std::optional<std::uint64_t> twice{};   // twice=N: the Nth is answered twice
    std::optional<std::uint8_t> lock{};     // lock=V: the lock-bit command is answered V
    // The firmware model.
    bool wrap = true;                 // wrap=on|off: slot addresses wrap at 16 bits, as in DPTR
    bool eeprom_ff_write = false;     // eeprom-ff=skip|write: whether 0xFF is written to EEPROM
    std::uint8_t eeprom_fill = 0xFF;  // eeprom-fill=XX: the EEPROM before the first run
};

// Applies one KEY=VALUE. Returns an error message (naming the key and the
// accepted values), or nothing when the setting was applied.
std::optional<std::string> apply_setting(EmulatorSettings& settings, std::string_view key_value);

// A setting's number: decimal, or hexadecimal after "0x".
std::optional<std::uint64_t> parse_setting_number(std::string_view text);
// The message for an item whose value lies outside min..max (max of uint64: no bound).
std::string setting_range_error(std::string_view item, std::string_view name, std::uint64_t min,
                                std::uint64_t max);

}  // namespace vantro::emulator
