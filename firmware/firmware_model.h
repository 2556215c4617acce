// SPDX-License-Identifier: MIT
#pragma once
// How the programmer's firmware treats the chip's memories: the one model the
// emulated programmer and the rehearsal both run, never kinder than a real one.

#include <cstdint>

namespace vantro::firmware {

// The 8051's code space, and so the largest memory a slot address reaches.
inline constexpr std::uint32_t kAddressSpace = 65536;

struct FirmwareModel {
    std::uint32_t flash_size = kAddressSpace;
    std::uint32_t eeprom_size = kAddressSpace;
    bool wrap = true;                 // slot addresses wrap at 16 bits, as in DPTR
    bool eeprom_ff_write = false;     // whether a 0xFF byte is written to EEPROM
    std::uint8_t eeprom_fill = 0xFF;  // what the EEPROM holds before the first run

    bool operator==(const FirmwareModel&) const = default;
};

}  // namespace vantro::firmware
