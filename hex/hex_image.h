// SPDX-License-Identifier: MIT
#pragma once
// What a checked HEX file writes: the bytes per address, and the figures `check` prints.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantro::hex {

inline constexpr std::uint32_t kCodeSpace = 0x10000;  // the 8051's 64 KiB

// How addresses and bytes are shown to the user: "0x000C", "0xE0".
std::string address_text(std::uint32_t address);
std::string byte_text(std::uint8_t value);

class HexImage {
public:
    HexImage();
    // False when the byte was already given (an overlap).
    bool set(std::uint32_t address, std::uint8_t value);
    bool has(std::uint32_t address) const;
    std::uint8_t at(std::uint32_t address) const;  // 0xFF where nothing is given

    std::size_t data_bytes() const { return data_bytes_; }
    std::optional<std::uint32_t> lowest_address() const;
    std::optional<std::uint32_t> highest_address() const;

    // The first address where memory differs from the image: a given byte that
    // memory does not hold, or, where the image gives none, a byte other than the
    // one `before` holds (0xFF past its end: an erased chip when it is empty).
    // Empty when memory matches the image.
    std::optional<std::uint32_t> first_difference(std::span<const std::uint8_t> memory,
                                                  std::span<const std::uint8_t> before = {}) const;

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<bool> given_;
    std::size_t data_bytes_ = 0;
};

}  // namespace vantro::hex
