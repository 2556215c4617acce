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
    // As a job file writes it: "u32le", "bcd6", "ascii4".
    std::string name() const;
};

// That the format holds no more numbers (`next` does not fit): its name and its
// largest, for the user.
std::string serials_ran_out_text(const SerialFormat& format, std::uint64_t next);

// How many numbers from `next` on, `step` apart, the format still holds.
std::uint64_t numbers_left(const SerialFormat& format, std::uint64_t next, std::uint64_t step);

// u16le, u16be, u32le, u32be, bcdN (N even, 2..16) or asciiN (N 1..19); nothing otherwise.
std::optional<SerialFormat> parse_serial_format(std::string_view text);
// The number's bytes in that format; nothing when it does not fit.
std::optional<std::vector<std::uint8_t>> serial_bytes(const SerialFormat& format,
                                                      std::uint64_t number);

}  // namespace vantro::production
