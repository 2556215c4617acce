#include "hex/hex_image.h"

#include <algorithm>

namespace vantro::hex {

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
    std::span<const std::uint8_t> memory) const {
    const std::size_t end = std::max<std::size_t>(memory.size(), kCodeSpace);
    for (std::size_t a = 0; a < end; ++a) {
        const auto address = static_cast<std::uint32_t>(a);
        const bool held = a < memory.size();
        if (has(address) ? !held || memory[a] != bytes_[a] : held && memory[a] != 0xFF) {
            return address;
        }
    }
    return std::nullopt;
}

}  // namespace vantro::hex
