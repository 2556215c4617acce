// SPDX-License-Identifier: MIT
#pragma once
// One Intel HEX record line: checked and decoded, or written out.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vantro::hex {

// The longest record line: ':' and 2 digits for each of 255 data bytes and 5 more.
inline constexpr std::size_t kMaxRecordLine = 1 + 2 * (255 + 5);

struct HexRecord {
    std::uint8_t type = 0;
    std::uint16_t address = 0;
    std::array<std::uint8_t, 255> data{};
    std::size_t size = 0;  // data bytes used

    std::span<const std::uint8_t> bytes() const { return {data.data(), size}; }
};

// Decodes a record line (no blanks around it; hex digits in either case). Returns
// the empty text on success, otherwise why the line is no valid record.
std::string parse_record(std::string_view line, HexRecord& record);

// The data record (type 00) line for these bytes, upper-case, with its checksum.
std::string format_data_record(std::uint16_t address, std::span<const std::uint8_t> data);

}  // namespace vantro::hex
