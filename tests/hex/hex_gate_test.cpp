// SPDX-License-Identifier: MIT
#include "hex/hex_gate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "hex/line_table.h"
#include "hex_test_support.h"

namespace vantro::hex {
namespace {

using test::with_checksum;
using Verdict = HexGate::Verdict;

const std::string kEnd = ":00000001FF";

// Feeds the lines until the gate stops taking them; the verdict of the last line taken.
Verdict feed(HexGate& gate, const std::vector<std::string>& lines, std::size_t* taken = nullptr) {
    Verdict verdict = Verdict::Continue;
    std::size_t count = 0;
    for (const std::string& line : lines) {
        ++count;
        verdict = gate.take(line);
        if (verdict != Verdict::Continue) {
            break;
        }
    }
    if (taken != nullptr) {
        *taken = count;
    }
    return verdict;
}

// The records the gate kept: one line each in its text.
int records_in(const HexGate& gate) {
    const std::string& text = gate.records_text();
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

std::string kept(const std::vector<std::string>& records) {
    std::string text;
    for (const std::string& record : records) {
        text += record + "\n";
    }
    return text;
}

struct KeptCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> kept;
};

// Names the case in test listings.
void PrintTo(const KeptCase& c, std::ostream* out) {
    *out << c.name;
}

class HexGateKeeps : public testing::TestWithParam<KeptCase> {};

TEST_P(HexGateKeeps, NormalisesTheRecords) {
    HexGate gate;
    ASSERT_EQ(feed(gate, GetParam().lines), Verdict::Ended) << gate.reason();
    EXPECT_EQ(gate.records_text(), kept(GetParam().kept));
    EXPECT_EQ(records_in(gate), static_cast<int>(GetParam().kept.size()));
}

const std::string kFull = ":10010000000102030405060708090A0B0C0D0E0F77";
const std::string kShort = ":03011000E4F5A073";

INSTANTIATE_TEST_SUITE_P(
    Rules, HexGateKeeps,
    testing::Values(
        KeptCase{"WellFormedFileUnchanged", {kFull, kShort, kEnd}, {kFull, kShort, kEnd}},
        KeptCase{"LowerCaseUpperCased", {":03011000e4f5a073", kEnd}, {kShort, kEnd}},
        KeptCase{"BlankLinesAndBlanksAroundIgnored",
                 {"", "  \t", " \t" + kFull + "\t  ", "", kEnd},
                 {kFull, kEnd}},
        KeptCase{"LongRecordSplitInSixteens",
                 {with_checksum(":2200F000" + std::string(68, '1')), kEnd},
                 {with_checksum(":1000F000" + std::string(32, '1')),
                  with_checksum(":10010000" + std::string(32, '1')),
                  with_checksum(":02011000" + std::string(4, '1')), kEnd}},
        KeptCase{
            "EmptyDataRecordDropped", {with_checksum(":00012300"), kShort, kEnd}, {kShort, kEnd}},
        KeptCase{"LinearBaseZeroNotStored", {":020000040000FA", kShort, kEnd}, {kShort, kEnd}},
        KeptCase{"SegmentBaseAddedToAddress",
                 {with_checksum(":020000020100"), with_checksum(":0100100042"), kEnd},
                 {with_checksum(":0110100042"), kEnd}},
        KeptCase{"BaseIsTheLastOne",
                 {with_checksum(":020000021000"), with_checksum(":020000040000"),
                  with_checksum(":0100100042"), kEnd},
                 {with_checksum(":0100100042"), kEnd}},
        KeptCase{
            "StartAddressesNotStored",
            {with_checksum(":0400000300001234"), with_checksum(":0400000500001234"), kShort, kEnd},
            {kShort, kEnd}},
        KeptCase{"EndRecordWithAddressStoredPlain",
                 {kShort, with_checksum(":00123401")},
                 {kShort, kEnd}},
        KeptCase{"NothingAfterEndIsRead", {kShort, kEnd, "garbage", kFull}, {kShort, kEnd}},
        KeptCase{"LastByteOfCodeSpace",
                 {with_checksum(":01FFFF0042"), kEnd},
                 {with_checksum(":01FFFF0042"), kEnd}}),
    [](const testing::TestParamInfo<KeptCase>& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    std::vector<std::string> lines;
    std::size_t refused_line;  // counted from 1
    std::string reason;
};

// Names the case in test listings.
void PrintTo(const RefusedCase& c, std::ostream* out) {
    *out << c.name;
}

class HexGateRefuses : public testing::TestWithParam<RefusedCase> {};

TEST_P(HexGateRefuses, NamesTheReason) {
    HexGate gate;
    std::size_t taken = 0;
    ASSERT_EQ(feed(gate, GetParam().lines, &taken), Verdict::Refused);
    EXPECT_EQ(taken, GetParam().refused_line);
    EXPECT_EQ(gate.reason(), GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, HexGateRefuses,
    testing::Values(
        RefusedCase{"NoColon", {"10010000"}, 1, "não é um registro HEX (não começa com ':')"},
        RefusedCase{"BinaryLine",
                    {std::string("\0\x01\x02", 3)},
                    1,
                    "não é um registro HEX (não começa com ':')"},
        RefusedCase{"NulInsideRecord",
                    {kShort, std::string(":03011000E4\0F5A073", 17)},
                    2,
                    "caractere que não é dígito hexadecimal"},
        RefusedCase{"OddDigits", {":03011000E4F5A07"}, 1, "número ímpar de dígitos hexadecimais"},
        RefusedCase{"BadDigit", {":03011000E4G5A073"}, 1, "caractere que não é dígito hexadecimal"},
        RefusedCase{"TooShort", {":00000001"}, 1, "registro curto demais"},
        RefusedCase{
            "BlankInside", {":03011000 E4F5A073"}, 1, "número ímpar de dígitos hexadecimais"},
        RefusedCase{"CountMismatch",
                    {with_checksum(":04011000E4F5A0")},
                    1,
                    "a contagem de bytes não confere com os dados"},
        RefusedCase{
            "BadChecksum", {kFull, ":03011000E4F5A074"}, 2, "soma de verificação incorreta"},
        RefusedCase{
            "UnknownType", {with_checksum(":00000006")}, 1, "tipo de registro desconhecido (06)"},
        RefusedCase{"BaseOfWrongSize",
                    {with_checksum(":0100000401")},
                    1,
                    "registro de endereço base sem exatamente 2 bytes de dados"},
        RefusedCase{"LinearBaseAbove64K",
                    {with_checksum(":020000040001"), kShort},
                    2,
                    "dados em 0x10110 passam do limite de 64 KiB da memória de código"},
        RefusedCase{"SegmentBaseAt64K",
                    {with_checksum(":020000021000"), kShort},
                    2,
                    "dados em 0x10110 passam do limite de 64 KiB da memória de código"},
        RefusedCase{"CrossesTheTopOfCodeSpace",
                    {with_checksum(":02FFFF004242")},
                    1,
                    "dados em 0xFFFF passam do limite de 64 KiB da memória de código"},
        RefusedCase{"Overlap",
                    {kFull, with_checksum(":02010F004242")},
                    2,
                    "o byte do endereço 0x010F já foi dado por outro registro"},
        RefusedCase{"OverlapWithinTheSameAddressTwice",
                    {kShort, kShort},
                    2,
                    "o byte do endereço 0x0110 já foi dado por outro registro"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

std::vector<std::string> one_byte_records(int count) {
    std::vector<std::string> lines;
    char body[16];
    for (int k = 0; k < count; ++k) {
        std::snprintf(body, sizeof body, ":01%04X0055", k);
        lines.push_back(with_checksum(body));
    }
    return lines;
}

TEST(HexGateCapacity, TheTableTakes20000RecordsEndIncluded) {
    std::vector<std::string> lines = one_byte_records(kTableCapacity - 1);
    lines.push_back(kEnd);
    HexGate gate;
    EXPECT_EQ(feed(gate, lines), Verdict::Ended) << gate.reason();
    EXPECT_EQ(records_in(gate), kTableCapacity);
}

TEST(HexGateCapacity, OneMoreIsRefused) {
    std::vector<std::string> lines = one_byte_records(kTableCapacity);
    lines.push_back(kEnd);
    HexGate gate;
    std::size_t taken = 0;
    EXPECT_EQ(feed(gate, lines, &taken), Verdict::Refused);
    EXPECT_EQ(taken, lines.size());
    EXPECT_EQ(gate.reason(), "mais registros do que a tabela comporta (20000)");
}

TEST(HexGateImage, HoldsTheBytesOfTheKeptRecords) {
    HexGate gate;
    ASSERT_EQ(feed(gate, {with_checksum(":020000020100"), with_checksum(":02E00000A1B2"),
                          with_checksum(":020000040000"), kShort, kEnd}),
              Verdict::Ended)
        << gate.reason();
    const HexImage image = gate.take_image();
    EXPECT_EQ(image.data_bytes(), 5u);
    EXPECT_EQ(image.at(0xF000), 0xA1);
    EXPECT_EQ(image.at(0xF001), 0xB2);
    EXPECT_EQ(image.at(0x0110), 0xE4);
    EXPECT_EQ(image.at(0x0112), 0xA0);
    EXPECT_FALSE(image.has(0xE000));
    EXPECT_EQ(image.lowest_address(), 0x0110u);
    EXPECT_EQ(image.highest_address(), 0xF001u);
}

}  // namespace
}  // namespace vantro::hex
