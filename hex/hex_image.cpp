// SPDX-License-Identifier: MIT
#include "hex/hex_image.h"

#include <algorithm>
#include <cstdio>

namespace vantro::hex {

std::string address_text(std::uint32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", address);
    return text;
}

std::string byte_text(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

HexImage::HexImage() : bytes_(kCodeSpace, 0xFF), given_(kCodeSpace, false) {}

// An address outside the code space cannot be given either, so it is refused like an overlap.
bool HexImage::set(std::uint32_t address, std::uint8_t value) {
    if (address >= kCodeSpace || given_[address]) {
        return false;
    }
    bytes_[address] = value;
    given_[address] = true;
    ++data_bytes_;
    return true;
}

bool HexImage::has(std::uint32_t address) const {
    return address < kCodeSpace && given_[address];
}

std::uint8_t HexImage::at(std::uint32_t address) const {
    return has(address) ? bytes_[address] : 0xFF;
}

std::optional<std::uint32_t> HexImage::lowest_address() const {
    const auto first = std::find(given_.begin(), given_.end(), true);
    if (first == given_.end()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(first - given_.begin());
}

std::optional<std::uint32_t> HexImage::highest_address() const {
    const auto last = std::find(given_.rbegin(), given_.rend(), true);
    if (last == given_.rend()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(given_.rend() - last - 1);
}

std::optional<std::uint32_t> HexImage::first_difference(
    std::span<const std::uint8_t> memory, std::span<const std::uint8_t> before) const {
    // bytes_ reads 0xFF where nothing is given: what an erased chip holds there.
    if (before.empty() && std::ranges::equal(memory, bytes_)) {
        return std::nullopt;
    }
    const std::size_t end = std::max<std::size_t>(memory.size(), kCodeSpace);
    for (std::size_t a = 0; a < end; ++a) {
        const auto address = static_cast<std::uint32_t>(a);
        const bool held = a < memory.size();
        const std::uint8_t untouched = a < before.size() ? before[a] : 0xFF;
        if (has(address) ? !held || memory[a] != bytes_[a] : held && memory[a] != untouched) {
            return address;
        }
    }
    return std::nullopt;
}

}  // namespace vantro::hex
