// SPDX-License-Identifier: MIT
// A serial number's bytes in each format; each format's largest number fits and
// the next one is refused.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "production/serial_format.h"

namespace vantro::production {
namespace {

struct Row {
    const char* format;
    std::uint64_t value;
    std::optional<std::vector<std::uint8_t>> bytes;  // nothing: refused
};

const Row kRows[] = {
    {"u16le", 0x1234, {{0x34, 0x12}}},
    {"u16be", 0x1234, {{0x12, 0x34}}},
    {"u16le", 0xFFFF, {{0xFF, 0xFF}}},
    {"u16be", 0x10000, std::nullopt},
    {"u32le", 0x12345678, {{0x78, 0x56, 0x34, 0x12}}},
    {"u32be", 0x12345678, {{0x12, 0x34, 0x56, 0x78}}},
    {"u32be", 0xFFFFFFFF, {{0xFF, 0xFF, 0xFF, 0xFF}}},
    {"u32le", 0x100000000, std::nullopt},
    {"bcd2", 7, {{0x07}}},
    {"bcd6", 123456, {{0x12, 0x34, 0x56}}},
    {"bcd6", 1000, {{0x00, 0x10, 0x00}}},
    {"bcd4", 9999, {{0x99, 0x99}}},
    {"bcd4", 10000, std::nullopt},
    {"bcd16", 9999999999999999, {{0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99}}},
    {"bcd16", 10000000000000000, std::nullopt},
    {"ascii4", 42, {{'0', '0', '4', '2'}}},
    {"ascii4", 9999, {{'9', '9', '9', '9'}}},
    {"ascii4", 10000, std::nullopt},
    {"ascii1", 9, {{'9'}}},
    {"ascii1", 10, std::nullopt},
    {"ascii19", 9999999999999999999u, std::vector<std::uint8_t>(19, '9')},
    {"ascii19", 10000000000000000000u, std::nullopt},
};

TEST(SerialFormat, BytesOfEachFormatAndItsLargest) {
    for (const Row& row : kRows) {
        const auto format = parse_serial_format(row.format);
        ASSERT_TRUE(format) << row.format;
        EXPECT_EQ(format->name(), row.format);
        EXPECT_EQ(serial_bytes(*format, row.value), row.bytes) << row.format << " " << row.value;
        if (row.bytes) {
            EXPECT_EQ(format->size(), row.bytes->size()) << row.format;
        }
    }
}

TEST(SerialFormat, NamesOutsideTheListAreRefused) {
    for (const char* name : {"", "u8", "U16LE", "bcd", "bcd3", "bcd18", "bcd04", "ascii", "ascii0",
                             "ascii20", "ascii4x", "u32le "}) {
        EXPECT_FALSE(parse_serial_format(name)) << name;
    }
}

TEST(SerialFormat, NumbersLeftCountsToTheLargestInSteps) {
    const SerialFormat ascii4 = *parse_serial_format("ascii4");
    EXPECT_EQ(numbers_left(ascii4, 9999, 1), 1u);
    EXPECT_EQ(numbers_left(ascii4, 10000, 1), 0u);
    EXPECT_EQ(numbers_left(ascii4, 0, 1), 10000u);
    EXPECT_EQ(numbers_left(ascii4, 9990, 5), 2u);  // 9990 and 9995
    EXPECT_EQ(numbers_left(*parse_serial_format("u32be"), 0, 1), 0x100000000u);
}

}  // namespace
}  // namespace vantro::production
