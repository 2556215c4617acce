// SPDX-License-Identifier: MIT
#include "hex/converte_dec.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace vantro::hex {
namespace {

struct Case {
    std::string_view dado;
    int expected;
};

// Names the case in test listings.
void PrintTo(const Case& c, std::ostream* out) {
    *out << testing::PrintToString(std::string(c.dado));
}

class HexConverteDec : public testing::TestWithParam<Case> {};

TEST_P(HexConverteDec, GivesTheByteOfTheMappingTable) {
    EXPECT_EQ(converte_dec(GetParam().dado), GetParam().expected) << "dado: " << GetParam().dado;
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, HexConverteDec,
                         testing::Values(Case{"00", 0}, Case{"FF", 255}, Case{"7E", 126},
                                         Case{"A0", 160}, Case{"0A", 10}, Case{"ff", 0},
                                         Case{"fF", 15}, Case{"Ff", 240}, Case{"F", 240},
                                         Case{"3", 48}, Case{"", 0}, Case{"G1", 1}, Case{"1G", 16},
                                         Case{" 5", 5}, Case{"123", 18}, Case{"9:", 144},
                                         Case{":9", 9}));

TEST(HexConverteDecMapping, EveryDigitInBothPlaces) {
    const std::string_view digits = "0123456789ABCDEF";
    for (std::size_t high = 0; high < digits.size(); ++high) {
        for (std::size_t low = 0; low < digits.size(); ++low) {
            const std::string dado{digits[high], digits[low]};
            EXPECT_EQ(converte_dec(dado), high * 16 + low) << dado;
        }
    }
}

TEST(HexConverteDecMapping, EveryOtherCharacterCountsZero) {
    const std::string_view digits = "0123456789ABCDEF";
    for (int code = 0; code < 256; ++code) {
        const char c = static_cast<char>(code);
        if (digits.find(c) != std::string_view::npos) {
            continue;
        }
        EXPECT_EQ(converte_dec(std::string{c, '7'}), 7) << "code " << code;
        EXPECT_EQ(converte_dec(std::string{'7', c}), 0x70) << "code " << code;
    }
}

}  // namespace
}  // namespace vantro::hex
