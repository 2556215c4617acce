// SPDX-License-Identifier: MIT
#include "hex/hex_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantro::hex {
namespace {

TEST(HexImageBytes, GivenBytesAndGaps) {
    HexImage image;
    EXPECT_FALSE(image.lowest_address().has_value());
    EXPECT_FALSE(image.highest_address().has_value());
    EXPECT_TRUE(image.set(0x0000, 0x02));
    EXPECT_TRUE(image.set(0xFFFF, 0x00));
    EXPECT_FALSE(image.set(0xFFFF, 0x00)) << "a byte given twice is an overlap";
    EXPECT_FALSE(image.set(kCodeSpace, 0x11)) << "outside the code space";
    EXPECT_EQ(image.data_bytes(), 2u);
    EXPECT_EQ(image.at(0x0000), 0x02);
    EXPECT_EQ(image.at(0xFFFF), 0x00);
    EXPECT_EQ(image.at(0x1234), 0xFF);
    EXPECT_FALSE(image.has(0x1234));
    EXPECT_FALSE(image.has(kCodeSpace));
    EXPECT_EQ(image.lowest_address(), 0x0000u);
    EXPECT_EQ(image.highest_address(), 0xFFFFu);
}

struct DifferenceCase {
    const char* name;
    std::vector<std::uint8_t> memory;
    std::optional<std::uint32_t> expected;
};

// Names the case in test listings.
void PrintTo(const DifferenceCase& c, std::ostream* out) {
    *out << c.name;
}

class HexImageDifference : public testing::TestWithParam<DifferenceCase> {};

// The image gives 0x10 = AA and 0x11 = 00.
TEST_P(HexImageDifference, FindsTheFirstAddressThatDiffers) {
    HexImage image;
    image.set(0x10, 0xAA);
    image.set(0x11, 0x00);
    EXPECT_EQ(image.first_difference(GetParam().memory), GetParam().expected);
}

std::vector<std::uint8_t> memory_with(std::size_t size,
                                      std::vector<std::pair<std::size_t, std::uint8_t>> bytes) {
    std::vector<std::uint8_t> memory(size, 0xFF);
    for (const auto& [address, value] : bytes) {
        memory[address] = value;
    }
    return memory;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HexImageDifference,
    testing::Values(
        DifferenceCase{"Matches", memory_with(kCodeSpace, {{0x10, 0xAA}, {0x11, 0x00}}),
                       std::nullopt},
        DifferenceCase{"GivenByteDiffers", memory_with(kCodeSpace, {{0x10, 0xAA}, {0x11, 0x01}}),
                       0x11},
        DifferenceCase{"ErasedWhereGiven", memory_with(kCodeSpace, {}), 0x10},
        DifferenceCase{"WrittenWhereNotGiven",
                       memory_with(kCodeSpace, {{0x10, 0xAA}, {0x11, 0x00}, {0x8000, 0x00}}),
                       0x8000},
        DifferenceCase{"EarlierStrayByte",
                       memory_with(kCodeSpace, {{0x02, 0x12}, {0x10, 0xAA}, {0x11, 0x00}}), 0x02},
        DifferenceCase{"MemoryTooShort", memory_with(0x11, {{0x10, 0xAA}}), 0x11},
        DifferenceCase{"ShortButMatching", memory_with(0x12, {{0x10, 0xAA}, {0x11, 0x00}}),
                       std::nullopt},
        DifferenceCase{
            "BeyondCodeSpace",
            memory_with(kCodeSpace + 4, {{0x10, 0xAA}, {0x11, 0x00}, {kCodeSpace + 2, 0x00}}),
            kCodeSpace + 2}),
    [](const testing::TestParamInfo<DifferenceCase>& info) {
        return std::string(info.param.name);
    });

}  // namespace
}  // namespace vantro::hex
