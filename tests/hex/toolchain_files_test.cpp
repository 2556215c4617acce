// SPDX-License-Identifier: MIT
// HEX files written by real toolchains, checked against what srec_cat reads from them.

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "hex/carrega_hex.h"
#include "hex/converte_dec.h"
#include "tests/support/read_all.h"

namespace vantro::hex {
namespace {

const std::string kDir = std::string(VANTRO_TEST_TMP) + "/toolchain/";

class HexToolchainFiles : public ::testing::TestWithParam<std::string> {};

// srec_cat's binary output puts each byte at its address (from 0) and fills gaps with 0.
TEST_P(HexToolchainFiles, KeptRecordsGiveTheBytesSrecCatReads) {
    LineTable table;
    const LoadResult result = carrega_hex(table, kDir + GetParam());
    ASSERT_EQ(result.status, LoadStatus::Loaded) << result.message;
    const std::vector<std::uint8_t> reference =
        vantro::testing::read_bytes(kDir + GetParam() + ".bin");
    ASSERT_FALSE(reference.empty());
    ASSERT_TRUE(result.image.highest_address().has_value());
    EXPECT_EQ(*result.image.highest_address() + 1, reference.size());
    for (std::uint32_t address = 0; address < reference.size(); ++address) {
        const std::uint8_t expected = result.image.has(address) ? result.image.at(address) : 0;
        ASSERT_EQ(reference[address], expected) << "address " << address;
    }
}

// What the programmer is sent must hold every byte: each stored record has at most
// 16 data bytes, and the table repacked from the records gives the image again.
TEST_P(HexToolchainFiles, StoredRecordsFitTheReportSlots) {
    LineTable table;
    const LoadResult result = carrega_hex(table, kDir + GetParam());
    ASSERT_EQ(result.status, LoadStatus::Loaded) << result.message;
    EXPECT_EQ(table.entry(result.records), ":00000001");
    std::size_t bytes = 0;
    for (int i = 1; i < result.records; ++i) {
        const std::string& record = table.entry(i);
        const std::size_t count = converte_dec(record.substr(1, 2));
        ASSERT_LE(count, 16u) << record;
        ASSERT_EQ(record.substr(7, 2), "00") << "only data records are stored: " << record;
        ASSERT_EQ(record.size(), 9 + 2 * count) << record;
        const std::uint32_t address =
            converte_dec(record.substr(3, 2)) * 256u + converte_dec(record.substr(5, 2));
        for (std::size_t n = 0; n < count; ++n) {
            ASSERT_EQ(converte_dec(record.substr(9 + 2 * n, 2)), result.image.at(address + n));
        }
        bytes += count;
    }
    EXPECT_EQ(bytes, result.image.data_bytes());
}

INSTANTIATE_TEST_SUITE_P(Generated, HexToolchainFiles,
                         ::testing::Values("blink.ihx", "packed.hex", "srec_default.hex",
                                           "srec_address_length_2.hex", "srec_line_length_44.hex",
                                           "srec_crlf.hex", "objcopy.hex"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

struct RefusedImage {
    std::string file;
    std::string reason;
};

// Names the case in test listings.
void PrintTo(const RefusedImage& c, std::ostream* out) {
    *out << c.file;
}

class HexToolchainRefused : public ::testing::TestWithParam<RefusedImage> {};

TEST_P(HexToolchainRefused, OutsideTheCodeSpace) {
    LineTable table;
    const LoadResult result = carrega_hex(table, kDir + GetParam().file);
    EXPECT_EQ(result.status, LoadStatus::Refused);
    // The line depends on the size of the compiled program; the reason does not.
    EXPECT_TRUE(result.message.starts_with("Arquivo HEX inválido: linha "));
    EXPECT_NE(result.message.find(GetParam().reason), std::string::npos) << result.message;
}

INSTANTIATE_TEST_SUITE_P(
    Generated, HexToolchainRefused,
    ::testing::Values(
        // srec_cat starts a new 64 KiB segment (a type 04 record) where the image crosses 0x10000.
        RefusedImage{"srec_top.hex",
                     ": dados em 0x10000 passam do limite de 64 KiB da memória de código"},
        RefusedImage{"srec_above.hex",
                     "linha 2: dados em 0x10000 passam do limite de 64 KiB da memória de código"}),
    [](const ::testing::TestParamInfo<RefusedImage>& info) {
        return info.param.file.substr(0, info.param.file.find('.'));
    });

}  // namespace
}  // namespace vantro::hex
