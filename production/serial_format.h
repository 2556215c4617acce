// SPDX-License-Identifier: MIT
#pragma once
// How a chip's serial number is laid into its memory: a 16- or 32-bit binary
// number in either byte order, N packed BCD digits, or N ASCII digits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::production {

struct SerialFormat {
    enum class Kind { U16Le, U16Be, U32Le, U32Be, Bcd, Ascii };
    Kind kind = Kind::U32Le;
    int digits = 0;  // Bcd and Ascii: N

    // The bytes it takes in memory.
    std::uint32_t size() const;
    // The largest number it can hold.
    std::uint64_t largest() const;
};

// u16le, u16be, u32le, u32be, bcdN (N even, 2..16) or asciiN (N 1..19); nothing otherwise.
std::optional<SerialFormat> parse_serial_format(std::string_view text);
// The number's bytes in that format; nothing when it does not fit.
std::optional<std::vector<std::uint8_t>> serial_bytes(const SerialFormat& format,
                                                      std::uint64_t number);

}  // namespace vantro::production
