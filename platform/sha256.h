// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vantro::platform {

// The SHA-256 of the bytes in lower-case hex digits, as sha256sum writes it; empty
// if the system's hashing failed. OpenSSL's on POSIX, the system's own (CNG) on Windows.
std::string sha256_hex(std::span<const std::uint8_t> bytes);

// Lower-case hex digits of a digest.
inline std::string hex_digits(std::span<const unsigned char> digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char byte : digest) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

}  // namespace vantro::platform
