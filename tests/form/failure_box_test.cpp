// SPDX-License-Identifier: MIT
// Every failure of every operation: the box keeps the failure's own text as its
// first line and then says what the chip holds and what to do, as the CLI does;
// a file refused before anything was sent says only why.

#include <gtest/gtest.h>

#include "ops/chip_state.h"
#include "tests/form/window_rig.h"
#include "tests/ops/faulty_hid_library.h"
#include "tests/support/temp_file.h"
#include "tests/support/worked_example.h"

namespace vantro {
namespace {

using ops::MessageIcon;
using ops::Operation;
using ops::Outcome;

struct FailureCase {
    const char* name;
    Operation operation;
    const char* setting;  // the emulator's fault, or "" for a write that fails
    std::uint64_t fail_write;
    Outcome outcome;
    const char* first_line;
    MessageIcon icon = MessageIcon::Critical;
    const char* title = "Vantro";
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

constexpr const char* kSilent = "O gravador não respondeu em 0,3 s.";
constexpr const char* kRemoved = "O gravador foi desconectado durante a operação.";
constexpr const char* kNotSent =
    "Não foi possível enviar o comando ao gravador. Verifique se ele está conectado.";

// FLASH sends erase, begin, then data; EEPROM begin, then data. A write that
// failed may still have reached the chip, as the CLI says too.
const FailureCase kCases[] = {
    {"erase_silent", Operation::Erase, "silent=1", 0, Outcome::TimedOut, kSilent},
    {"erase_removed", Operation::Erase, "unplug=1", 0, Outcome::Removed, kRemoved},
    {"erase_wrong_answer", Operation::Erase, "refuse=1", 0, Outcome::WrongAnswer,
     "O gravador respondeu 0xEE em vez de 0xAA."},
    {"erase_write_fails", Operation::Erase, "", 1, Outcome::WriteFailed, kNotSent},
    {"flash_silent", Operation::Flash, "silent=3", 0, Outcome::TimedOut, kSilent},
    {"flash_removed", Operation::Flash, "unplug=2", 0, Outcome::Removed, kRemoved},
    {"flash_refused", Operation::Flash, "refuse=3", 0, Outcome::Refused, "Erro na gravação",
     MessageIcon::None},
    {"flash_write_fails", Operation::Flash, "", 2, Outcome::WriteFailed, kNotSent},
    {"eeprom_silent", Operation::Eeprom, "silent=1", 0, Outcome::TimedOut, kSilent},
    {"eeprom_removed", Operation::Eeprom, "unplug=3", 0, Outcome::Removed, kRemoved},
    {"eeprom_refused", Operation::Eeprom, "refuse=2", 0, Outcome::Refused, "Erro na gravação",
     MessageIcon::None},
    {"eeprom_write_fails", Operation::Eeprom, "", 1, Outcome::WriteFailed, kNotSent},
    {"lock_silent", Operation::Lock, "silent=1", 0, Outcome::TimedOut, kSilent},
    {"lock_removed", Operation::Lock, "unplug=1", 0, Outcome::Removed, kRemoved},
    {"lock_refused", Operation::Lock, "lock=0", 0, Outcome::Refused,
     "Falha na gravação de Lock bits 0", MessageIcon::Information, "Vantro Velmora"},
    {"lock_write_fails", Operation::Lock, "", 1, Outcome::WriteFailed, kNotSent},
};

const char* button(Operation operation) {
    switch (operation) {
        case Operation::Erase:
            return "Command4";
        case Operation::Flash:
            return "Command6";
        case Operation::Eeprom:
            return "Command1";
        case Operation::Lock:
            break;
    }
    return "Command2";
}

class FailureBox : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureBox, SaysWhyThenWhatTheChipHoldsAndWhatToDo) {
    const FailureCase& c = GetParam();
    emulator::EmulatorSettings settings;
    if (*c.setting != '\0') {
        ASSERT_FALSE(emulator::apply_setting(settings, c.setting).has_value());
    }
    testing::ExtraFaults faults;
    if (c.fail_write != 0) {
        faults.fail_write = c.fail_write;
    }
    testing::WindowRig<testing::FaultyHidLibrary> rig(settings, faults);
    const testing::TempFile file("failure-box.hex", testing::kWorkedExample);
    rig.surface.choices.push_back(file.path());
    rig.controller.click(button(c.operation));

    EXPECT_EQ(rig.controller.last_outcome(), c.outcome);
    ASSERT_EQ(rig.surface.shown.size(), 1u);
    EXPECT_EQ(rig.surface.shown[0].text,
              std::string(c.first_line) + '\n' + ops::chip_state_text(c.operation));
    EXPECT_EQ(rig.surface.shown[0].icon, c.icon);
    EXPECT_EQ(rig.surface.shown[0].title, c.title);
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, FailureBox, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FailureBoxBeforeTheRun, ARefusedFileSaysOnlyWhy) {
    testing::WindowRig<> rig;
    const testing::TempFile file("failure-box-bad.hex", ":0100000042AD\n:00000001FF\n");
    rig.surface.choices.push_back(file.path());
    rig.controller.click("Command6");
    EXPECT_EQ(rig.controller.last_outcome(), Outcome::FileRefused);
    ASSERT_EQ(rig.surface.shown.size(), 1u);
    EXPECT_EQ(rig.surface.shown[0].text,
              "Arquivo HEX inválido: linha 1: soma de verificação incorreta");
    EXPECT_EQ(rig.library.programmer().reports_received(), 0u);
}

// The run ended well but the memory seen after it differs: a failure too.
TEST(FailureBoxAfterTheRun, AMemoryThatDiffersSaysWhatTheChipHolds) {
    emulator::EmulatorSettings settings;
    ASSERT_FALSE(emulator::apply_setting(settings, "eeprom=256").has_value());
    testing::WindowRig<> rig(settings);
    rig.controller.session().see_chip_memory(
        [&rig](hex::Memory) { return &rig.library.programmer().eeprom(); });
    const testing::TempFile file("failure-box-mismatch.hex", testing::kWorkedExample);
    rig.surface.choices.push_back(file.path());
    rig.controller.click("Command1");
    EXPECT_EQ(rig.controller.last_outcome(), Outcome::Mismatch);
    ASSERT_EQ(rig.surface.shown.size(), 1u);
    EXPECT_EQ(rig.surface.shown[0].text, "Memória emulada difere da imagem no endereço 0x0100.\n" +
                                             ops::chip_state_text(Operation::Eeprom));
    EXPECT_TRUE(rig.surface.buttons(true));
}

}  // namespace
}  // namespace vantro
