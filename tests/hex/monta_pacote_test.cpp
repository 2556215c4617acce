// SPDX-License-Identifier: MIT
#include "hex/monta_pacote.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hex_test_support.h"
#include "tests/support/hex_dump.h"

namespace vantro::hex {
namespace {

using Bytes = std::vector<std::uint8_t>;

// "00 BB 13*FF" -> 00, BB and thirteen FF.
Bytes bytes(const std::string& text) {
    Bytes out;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const std::size_t star = word.find('*');
        const int count = star == std::string::npos ? 1 : std::stoi(word.substr(0, star));
        const std::string value = star == std::string::npos ? word : word.substr(star + 1);
        out.insert(out.end(), static_cast<std::size_t>(count),
                   static_cast<std::uint8_t>(std::stoul(value, nullptr, 16)));
    }
    return out;
}

// Reports are compared whole and printed in hex on a mismatch.
void expect_report(const protocol::Report& report, const std::string& expected) {
    const Bytes actual(report.begin(), report.end());
    const Bytes wanted = bytes(expected);
    ASSERT_EQ(wanted.size(), protocol::kReportSize) << "bad expectation";
    EXPECT_EQ(actual, wanted) << "actual:   " << vantro::testing::hex_dump(actual)
                              << "\nexpected: " << vantro::testing::hex_dump(wanted);
}

const std::string kFull = ":10010000000102030405060708090A0B0C0D0E0F";
const std::string kShort = ":03011000E4F5A0";
const std::string kEnd = ":00000001";

struct Packing : ::testing::Test {
    Packing() { buffer_saida.fill(0x00); }

    void store(const std::vector<std::string>& entries, int first = 1) {
        for (std::size_t k = 0; k < entries.size(); ++k) {
            table.at(first + static_cast<int>(k)) = entries[k];
        }
        table.total_linhas = first + static_cast<int>(entries.size());
    }

    LineTable table;
    protocol::Report buffer_saida{};
    test::RecordingLabels labels;
};

using HexMontaPacote = Packing;

TEST_F(HexMontaPacote, WorkedExampleFlash) {
    store({kFull, kShort, kEnd});
    monta_pacote(Memory::Flash, 1, table, buffer_saida, labels);
    expect_report(buffer_saida,
                  "00 BB  00 01 00  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"
                  "  00 01 10  E4 F5 A0 13*FF  19*FF  5*FF  00");
    EXPECT_EQ(labels.texts, (std::array<std::string, 3>{kFull, kShort, kEnd}));
    EXPECT_EQ(table.entry(1), kFull + std::string(36, 'F'));
    EXPECT_EQ(table.entry(2), kShort + std::string(36, 'F'));
    EXPECT_EQ(table.entry(3), kEnd + std::string(36, 'F'));
}

TEST_F(HexMontaPacote, WorkedExampleEeprom) {
    store({kFull, kShort, kEnd});
    monta_pacote(Memory::Eeprom, 1, table, buffer_saida, labels);
    expect_report(buffer_saida,
                  "00 AF  01 01 00  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"
                  "  02 01 10  E4 F5 A0 13*FF  03 00 00 16*FF  5*FF  00");
    EXPECT_EQ(labels.texts, (std::array<std::string, 3>{kFull, kShort, kEnd}));
    EXPECT_EQ(table.entry(1), kFull + std::string(32, 'F'));
    EXPECT_EQ(table.entry(3), kEnd + std::string(32, 'F'));
}

TEST_F(HexMontaPacote, EmptyEntriesAfterTheRecords) {
    store({kFull, kShort, kEnd});
    monta_pacote(Memory::Flash, 4, table, buffer_saida, labels);
    // Nothing but the pad: the data bytes stay blank, so no byte reaches the chip.
    const std::string flash_slot = "00 FF FF 16*FF ";
    expect_report(buffer_saida, "00 BB " + flash_slot + flash_slot + flash_slot + "5*FF 00");
    EXPECT_EQ(labels.texts, (std::array<std::string, 3>{"", "", ""}));
    EXPECT_EQ(table.entry(4), std::string(36, 'F'));

    monta_pacote(Memory::Eeprom, 7, table, buffer_saida, labels);
    const std::string eeprom_data = "FF FF 16*FF ";
    expect_report(buffer_saida, "00 AF 01 " + eeprom_data + "02 " + eeprom_data + "03 " +
                                    eeprom_data + "5*FF 00");
}

TEST_F(HexMontaPacote, FlashEndRecordFirstSendsNoSlot) {
    store({kEnd, kShort, kFull});
    monta_pacote(Memory::Flash, 1, table, buffer_saida, labels);
    expect_report(buffer_saida, "00 BB 62*FF 00");
    EXPECT_EQ(labels.calls, 0);
    EXPECT_EQ(table.entry(1), kEnd);
    EXPECT_EQ(table.entry(2), kShort);
}

TEST_F(HexMontaPacote, EepromEndRecordFirstCarriesAddressZero) {
    store({kEnd, kShort, kFull});
    monta_pacote(Memory::Eeprom, 1, table, buffer_saida, labels);
    expect_report(buffer_saida, "00 AF 01 00 00 16*FF 19*FF 19*FF 5*FF 00");
    EXPECT_EQ(labels.texts, (std::array<std::string, 3>{kEnd, kShort, kFull}));
    EXPECT_EQ(table.entry(2), kShort + std::string(32, 'F'));
}

TEST_F(HexMontaPacote, FlashEndRecordSecondIsPaddedAllTheSame) {
    store({kShort, kEnd, kFull});
    monta_pacote(Memory::Flash, 1, table, buffer_saida, labels);
    expect_report(buffer_saida, "00 BB 00 01 10 E4 F5 A0 13*FF 19*FF 19*FF 5*FF 00");
    EXPECT_EQ(table.entry(2), kEnd + std::string(36, 'F'));
    EXPECT_EQ(table.entry(3), kFull + std::string(36, 'F'));
}

TEST_F(HexMontaPacote, AnEndRecordThatGoesOnIsStillTheEnd) {
    store({kShort, kShort, kEnd + "FF"});
    monta_pacote(Memory::Eeprom, 1, table, buffer_saida, labels);
    expect_report(buffer_saida,
                  "00 AF 01 01 10 E4 F5 A0 13*FF 02 01 10 E4 F5 A0 13*FF 03 00 00 16*FF 5*FF 00");
}

TEST_F(HexMontaPacote, LastByteIsNeverWritten) {
    buffer_saida[64] = 0x5A;
    store({kShort, kShort, kShort});
    monta_pacote(Memory::Flash, 1, table, buffer_saida, labels);
    EXPECT_EQ(buffer_saida[64], 0x5A);
    monta_pacote(Memory::Eeprom, 1, table, buffer_saida, labels);
    EXPECT_EQ(buffer_saida[64], 0x5A);
}

TEST_F(HexMontaPacote, EntriesPastTheTableReadAsEmpty) {
    store({kShort, kShort}, kTableCapacity - 1);
    monta_pacote(Memory::Flash, kTableCapacity - 1, table, buffer_saida, labels);
    expect_report(buffer_saida,
                  "00 BB 00 01 10 E4 F5 A0 13*FF 00 01 10 E4 F5 A0 13*FF "
                  "00 FF FF 16*FF 5*FF 00");
    EXPECT_EQ(labels.texts[2], "");
    EXPECT_EQ(table.entry(kTableCapacity), kShort + std::string(36, 'F'));
    EXPECT_EQ(table.entry(kTableCapacity + 1), "");
}

// The 16 data bytes a slot carries for typical entries.
struct SlotDataCase {
    const char* name;
    std::string entry;
    std::string flash;
    std::string eeprom;
};

// Names the case in test listings.
void PrintTo(const SlotDataCase& c, std::ostream* out) {
    *out << c.name;
}

class HexSlotData : public ::testing::TestWithParam<SlotDataCase> {};

Bytes slot_data(Memory mode, const std::string& entry) {
    LineTable table;
    table.at(1) = entry;
    table.at(2) = kEnd;
    protocol::Report report{};
    test::RecordingLabels labels;
    monta_pacote(mode, 1, table, report, labels);
    return Bytes(report.begin() + 5, report.begin() + 21);
}

TEST_P(HexSlotData, FollowsFromThePad) {
    EXPECT_EQ(slot_data(Memory::Flash, GetParam().entry), bytes(GetParam().flash));
    EXPECT_EQ(slot_data(Memory::Eeprom, GetParam().entry), bytes(GetParam().eeprom));
}

INSTANTIATE_TEST_SUITE_P(
    TypicalEntries, HexSlotData,
    ::testing::Values(
        SlotDataCase{"Full", kFull, "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F",
                     "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"},
        SlotDataCase{"Short", kShort, "E4 F5 A0 13*FF", "E4 F5 A0 13*FF"},
        SlotDataCase{"MoreThanSixteen", kFull + "1112",
                     "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F",
                     "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"},
        SlotDataCase{"Empty", "", "16*FF", "16*FF"},  // nothing but the pad: blank
        SlotDataCase{"LowerCaseCountsZero", ":03011000e4f5a0", "04 05 00 13*FF", "04 05 00 13*FF"},
        SlotDataCase{"Type04PackedAsData", ":020000040000", "00 00 14*FF", "00 00 14*FF"}),
    [](const ::testing::TestParamInfo<SlotDataCase>& info) {
        return std::string(info.param.name);
    });

}  // namespace
}  // namespace vantro::hex
