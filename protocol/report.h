// SPDX-License-Identifier: MIT
#pragma once
// Framing shared by every exchange with the programmer.

#include <cstdint>

#include "hid/hid_library.h"

namespace vantro::protocol {

// One HID report: index 0 is the report id (always 0 on output), 1 the command,
// 2..64 the payload. Input reports carry the status byte at index 2.
inline constexpr std::size_t kReportSize = hid::kHidReportSize;
using Report = hid::HidReport;

inline constexpr std::uint16_t PROG_VID = 0x1234;
inline constexpr std::uint16_t PROG_PID = 0x0001;

inline constexpr std::uint8_t kCmdErase = 0xAA;
inline constexpr std::uint8_t kCmdBegin = 0xCC;
inline constexpr std::uint8_t kCmdFlashData = 0xBB;
inline constexpr std::uint8_t kCmdEepromData = 0xAF;
inline constexpr std::uint8_t kCmdEnd = 0xDD;
inline constexpr std::uint8_t kCmdLockBits = 0x01;

inline constexpr std::uint8_t kLockPending = 0x7F;  // lock-bit wait: no answer yet
inline constexpr std::uint8_t kLockSuccess = 0xFF;
// What the programmer answers to a report it rejects.
inline constexpr std::uint8_t kRefused = 0xEE;

inline constexpr std::size_t kStatusIndex = 2;

// A FLASH or EEPROM data report holds three record slots of 19 bytes from
// index 2: a marker or address byte, then 16 data bytes and two more.
inline constexpr std::size_t kSlotCount = 3;
inline constexpr std::size_t kFirstSlot = 2;
inline constexpr std::size_t kSlotSize = 19;
inline constexpr std::size_t kSlotDataBytes = 16;

inline constexpr std::size_t slot_start(std::size_t slot) {
    return kFirstSlot + slot * kSlotSize;
}

}  // namespace vantro::protocol
