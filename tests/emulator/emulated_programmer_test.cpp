// SPDX-License-Identifier: MIT
// The device model: answers, memory writes and faults.

#include <gtest/gtest.h>

#include "emulator/emulated_programmer.h"
#include "tests/support/read_all.h"
#include "tests/support/report_builder.h"
#include "tests/support/temp_file.h"

namespace vantro::emulator {
namespace {

using testing::command_report;
using testing::data_report;
using testing::set_slot;

std::vector<std::uint8_t> statuses(const Reaction& reaction, std::uint8_t command) {
    std::vector<std::uint8_t> out;
    for (const protocol::Report& answer : reaction.answers) {
        EXPECT_EQ(answer[0], 0);
        EXPECT_EQ(answer[1], command);
        out.push_back(answer[2]);
    }
    return out;
}

// Sends the reports and returns the status bytes each one was answered with.
std::vector<std::vector<std::uint8_t>> run(EmulatedProgrammer& programmer,
                                           const std::vector<protocol::Report>& reports) {
    std::vector<std::vector<std::uint8_t>> out;
    for (const protocol::Report& report : reports) {
        const Reaction reaction = programmer.receive(report);
        out.push_back(statuses(reaction, report[1]));
        if (reaction.unplugged) {
            out.back().push_back(0);  // marks the removal; no real status is 0 here
        }
    }
    return out;
}

struct AnswerCase {
    const char* name;
    EmulatorSettings settings;
    std::vector<protocol::Report> reports;
    std::vector<std::vector<std::uint8_t>> statuses;
};

const protocol::Report kErase = command_report(0xAA);
const protocol::Report kBegin = command_report(0xCC);
const protocol::Report kEnd = command_report(0xDD);
const protocol::Report kFlash = data_report(0xBB);
const protocol::Report kEeprom = data_report(0xAF);
const protocol::Report kLock = command_report(0x01, 0x05);
const protocol::Report kUnknown = command_report(0x55);

TEST(EmulatedProgrammer, AnswersAndFaults) {
    const AnswerCase cases[] = {
        {"commands",
         {},
         {kErase, kBegin, kFlash, kEeprom, kEnd, kLock},
         {{0xAA}, {0xCC}, {0xBB}, {0xAF}, {0xDD}, {0xFF}}},
        {"data outside begin..end",
         {},
         {kFlash, kEeprom, kBegin, kEnd, kFlash},
         {{0xEE}, {0xEE}, {0xCC}, {0xDD}, {0xEE}}},
        {"unknown commands", {}, {kUnknown, command_report(0x00), kErase}, {{}, {}, {0xAA}}},
        {"refuse", {.refuse = 2}, {kErase, kBegin, kFlash, kEnd}, {{0xAA}, {0xEE}, {0xEE}, {0xDD}}},
        {"refuse an unknown command", {.refuse = 1}, {kUnknown}, {{0xEE}}},
        {"silent", {.silent = 2}, {kErase, kBegin, kEnd}, {{0xAA}, {}, {}}},
        {"unplug", {.unplug = 2}, {kErase, kBegin, kEnd}, {{0xAA}, {0}, {0xDD}}},
        {"twice", {.twice = 2}, {kErase, kBegin, kEnd}, {{0xAA}, {0xCC, 0xCC}, {0xDD}}},
        {"lock answer", {.lock = 0x12}, {kLock, kErase}, {{0x12}, {0xAA}}},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.name);
        EmulatedProgrammer programmer(c.settings);
        EXPECT_EQ(run(programmer, c.reports), c.statuses);
        EXPECT_EQ(programmer.reports_received(), c.reports.size());
    }
}

TEST(EmulatedProgrammer, RefusedSilencedOrUnpluggedReportsAreNotCarriedOut) {
    for (const EmulatorSettings& settings :
         {EmulatorSettings{.refuse = 1}, EmulatorSettings{.silent = 1},
          EmulatorSettings{.unplug = 1}}) {
        EmulatedProgrammer programmer(settings);
        programmer.receive(kLock);
        EXPECT_FALSE(programmer.lock_bits().has_value());
    }
}

TEST(EmulatedProgrammer, EraseBlanksBothMemoriesAndClearsTheLockBits) {
    EmulatedProgrammer programmer({.model = {.flash_size = 32, .eeprom_size = 16}});
    protocol::Report flash = kFlash;
    set_slot(flash, 0, 0x00, 0x0000, {0x12, 0x34});
    protocol::Report eeprom = kEeprom;
    set_slot(eeprom, 0, 0x01, 0x0003, {0x56});
    run(programmer, {kBegin, flash, eeprom, kEnd, kLock});
    ASSERT_EQ(programmer.flash()[1], 0x34);
    ASSERT_EQ(programmer.eeprom()[3], 0x56);
    ASSERT_EQ(programmer.lock_bits(), 0x05);

    programmer.receive(kErase);
    EXPECT_EQ(programmer.flash(), std::vector<std::uint8_t>(32, 0xFF));
    EXPECT_EQ(programmer.eeprom(), std::vector<std::uint8_t>(16, 0xFF));
    EXPECT_FALSE(programmer.lock_bits().has_value());
}

TEST(EmulatedProgrammer, FlashIsAndedOnlyForMarkerZeroAndWrapsAtSixteenBits) {
    protocol::Report first = kFlash;
    set_slot(first, 0, 0x00, 0x0100, {0x0F, 0xF0, 0x00});
    set_slot(first, 1, 0x00, 0xFFF8, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    set_slot(first, 2, 0x01, 0x0200, {0x00});  // an EEPROM marker: not FLASH data
    protocol::Report second = kFlash;
    set_slot(second, 0, 0x00, 0x0100, {0xF3, 0x0F, 0xFF});
    // The pad bytes an empty table entry once gave: 13 x FF, F0, 00, 00 at 0xFFFF.
    set_slot(second, 1, 0x00, 0xFFFF, {});
    second[2 + 19 + 3 + 13] = 0xF0;
    second[2 + 19 + 3 + 14] = 0x00;
    second[2 + 19 + 3 + 15] = 0x00;
    for (const bool wrap : {true, false}) {
        SCOPED_TRACE(wrap ? "wrap=on" : "wrap=off");
        EmulatedProgrammer programmer({.model = {.wrap = wrap}});
        run(programmer, {kBegin, first, second, kEnd});

        const std::vector<std::uint8_t>& flash = programmer.flash();
        EXPECT_EQ(flash[0x100], 0x03);
        EXPECT_EQ(flash[0x101], 0x00);
        EXPECT_EQ(flash[0x102], 0x00);  // 0xFF in a slot leaves the cell alone
        EXPECT_EQ(flash[0x200], 0xFF);
        for (std::size_t n = 0; n < 8; ++n) {
            EXPECT_EQ(flash[0xFFF8 + n], n);
            EXPECT_EQ(flash[n], wrap ? 8 + n : 0xFF) << n;
        }
        const std::vector<std::uint8_t> pad_bytes(flash.begin() + 0x0C, flash.begin() + 0x0F);
        const std::vector<std::uint8_t> wrapped{0xF0, 0x00, 0x00};
        EXPECT_EQ(pad_bytes, wrap ? wrapped : std::vector<std::uint8_t>(3, 0xFF));
    }
}

TEST(EmulatedProgrammer, EepromIsReplacedOnlyForItsSlotMarkersAndInsideItsSize) {
    protocol::Report first = kEeprom;
    set_slot(first, 0, 0x01, 0x0010, {0x00, 0x11});
    set_slot(first, 1, 0x02, 0x07FE, {0x21, 0x22, 0x23});
    set_slot(first, 2, 0x02, 0x0020, {0x31});  // slot 3 must carry marker 3
    protocol::Report second = kEeprom;
    set_slot(second, 0, 0x01, 0x0010, {0x5A, 0xFF});
    set_slot(second, 2, 0x03, 0x0000, {});  // the end record's slot: blank data
    // eeprom-ff=write with eeprom-fill=00: every 0xFF of a slot is written, the rest
    // of the EEPROM keeps what it held before the run.
    for (const bool write_ff : {false, true}) {
        SCOPED_TRACE(write_ff ? "eeprom-ff=write" : "eeprom-ff=skip");
        const std::uint8_t fill = write_ff ? 0x00 : 0xFF;
        EmulatedProgrammer programmer(
            {.model = {.eeprom_size = 2048, .eeprom_ff_write = write_ff, .eeprom_fill = fill}});
        run(programmer, {kBegin, first, second, kEnd});

        const std::vector<std::uint8_t>& eeprom = programmer.eeprom();
        EXPECT_EQ(eeprom[0x10], 0x5A);
        EXPECT_EQ(eeprom[0x11], write_ff ? 0xFF : 0x11);
        EXPECT_EQ(eeprom[0x7FE], 0x21);
        EXPECT_EQ(eeprom[0x7FF], 0x22);
        EXPECT_EQ(eeprom[0x20], fill);
        EXPECT_EQ(eeprom[0x00], 0xFF);  // written from the end record's slot, or blank
        EXPECT_EQ(eeprom[0x30], fill);
        EXPECT_EQ(programmer.flash(), std::vector<std::uint8_t>(65536, 0xFF));
    }
}

TEST(EmulatedProgrammer, RestartForgetsAnOpenBegin) {
    EmulatedProgrammer programmer;
    programmer.receive(kBegin);
    programmer.restart();
    EXPECT_FALSE(programmer.programming());
    EXPECT_EQ(run(programmer, {kFlash}), (std::vector<std::vector<std::uint8_t>>{{0xEE}}));
}

TEST(EmulatedProgrammer, SavesTheMemoriesAsBinaryFiles) {
    EmulatedProgrammer programmer({.model = {.flash_size = 4, .eeprom_size = 3}});
    protocol::Report flash = kFlash;
    set_slot(flash, 0, 0x00, 0x0001, {0x00, 0x42});
    run(programmer, {kBegin, flash, kEnd});
    const vantro::testing::TempFile flash_file("flash.bin", "");
    const vantro::testing::TempFile eeprom_file("eeprom.bin", "");
    ASSERT_TRUE(programmer.save_flash(flash_file.path()));
    ASSERT_TRUE(programmer.save_eeprom(eeprom_file.path()));
    EXPECT_EQ(vantro::testing::read_bytes(flash_file.path()),
              (std::vector<std::uint8_t>{0xFF, 0x00, 0x42, 0xFF}));
    EXPECT_EQ(vantro::testing::read_bytes(eeprom_file.path()),
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(programmer.save_flash(flash_file.path() + ".d/no-such-dir/flash.bin"));
}

}  // namespace
}  // namespace vantro::emulator
