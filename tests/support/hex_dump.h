// SPDX-License-Identifier: MIT
#pragma once
// Bytes as "0A FF 00 ...", for the message of a failed comparison.

#include <cstdint>
#include <span>
#include <string>

namespace vantro::testing {

inline std::string hex_dump(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (const std::uint8_t b : bytes) {
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 0xF]);
        out.push_back(' ');
    }
    return out;
}

}  // namespace vantro::testing
