// SPDX-License-Identifier: MIT
// The four operations end to end on a scripted programmer: reports, texts,
// progress and buttons, and every way a run can stop.

#include <gtest/gtest.h>

#include <array>

#include "tests/support/report_builder.h"
#include "tests/support/scripted_hid_library.h"
#include "tests/support/session_rig.h"
#include "tests/support/temp_file.h"
#include "tests/support/worked_example.h"

namespace vantro {
namespace {

using ops::Outcome;
using protocol::Report;
using testing::command_report;
using testing::data_report;
using testing::ScriptedHidLibrary;
using testing::set_slot;
using testing::Step;
using testing::TempFile;
using Rig = testing::SessionRig<ScriptedHidLibrary>;

using testing::kWorkedExample;

std::vector<std::uint8_t> counting(int from, int count) {
    std::vector<std::uint8_t> out;
    for (int i = 0; i < count; ++i) {
        out.push_back(static_cast<std::uint8_t>(from + i));
    }
    return out;
}

// A data report whose three entries are past the last record: address 0xFFFF,
// blank data whatever its pad.
Report blank_entries(std::uint8_t code, std::array<std::uint8_t, 3> markers) {
    Report r = data_report(code);
    for (std::size_t slot = 0; slot < markers.size(); ++slot) {
        set_slot(r, slot, markers[slot], 0xFFFF, {});
    }
    return r;
}

TEST(FlashRun, WorkedExampleSendsTheExactReportsAndShowsTheRun) {
    TempFile file("worked.hex", kWorkedExample);
    Rig rig;
    Report first = data_report(0xBB);
    set_slot(first, 0, 0x00, 0x0100, counting(0, 16));
    set_slot(first, 1, 0x00, 0x0110, {0xE4, 0xF5, 0xA0});
    const Report second = blank_entries(0xBB, {0x00, 0x00, 0x00});
    Report end = second;  // the end command reuses the last data report's buffer
    end[1] = 0xDD;
    rig.library.then({command_report(0xAA), {0xAA}});
    rig.library.then({command_report(0xCC), {0xCC}});
    rig.library.then({first, {0x00, 0xBB}});
    rig.library.then({second, {0xBB}});
    rig.library.then({end, {0xDD}});

    EXPECT_EQ(rig.session.Command6_Click(file.path()), Outcome::Success);
    EXPECT_EQ(rig.library.steps_left(), 0u);
    EXPECT_EQ(rig.display.statuses,
              (std::vector<std::string>{"Apagando...", "Apagou com sucesso!", "Gravando...",
                                        "Gravou com sucesso!"}));
    EXPECT_EQ(rig.display.max, 7.0f);
    EXPECT_EQ(rig.display.progress_values, (std::vector<float>{0.0f, 3.0f, 6.0f, 7.0f}));
    EXPECT_EQ(rig.display.button_changes, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(rig.display.messages.empty());
    EXPECT_EQ(rig.display.labels[0], "");  // the last report showed three empty entries
}

TEST(EepromRun, WorkedExampleMarksTheSlotsAndSkipsTheErase) {
    TempFile file("worked-e.hex", kWorkedExample);
    Rig rig;
    Report first = data_report(0xAF);
    set_slot(first, 0, 0x01, 0x0100, counting(0, 16));
    set_slot(first, 1, 0x02, 0x0110, {0xE4, 0xF5, 0xA0});
    set_slot(first, 2, 0x03, 0x0000, {});
    rig.library.then({command_report(0xCC), {0xAA, 0xCC}});  // a wrong echo keeps the wait going
    rig.library.then({first, {0xAF}});
    rig.library.then({blank_entries(0xAF, {0x01, 0x02, 0x03}), {0xAF}});
    rig.library.then({{}, {0xDD}});

    EXPECT_EQ(rig.session.Command1_Click(file.path()), Outcome::Success);
    EXPECT_EQ(rig.library.steps_left(), 0u);
    EXPECT_EQ(rig.display.statuses,
              (std::vector<std::string>{"Gravando EEPROM...", "Gravou com sucesso!"}));
    EXPECT_EQ(rig.display.progress_values, (std::vector<float>{0.0f, 3.0f, 6.0f, 7.0f}));
}

TEST(FlashRun, RefusedReportStopsWithoutTheEndCommand) {
    TempFile file("six.hex",
                  ":0100000001FE\n:0100010002FC\n:0100020003FA\n:0100030004F8\n:0100040005F6\n"
                  ":00000001FF\n");
    Rig rig;
    rig.library.answer_next({0xAA});
    rig.library.answer_next({0xCC});
    rig.library.answer_next({0xBB});
    rig.library.answer_next({0xAF});  // the second data report is refused

    EXPECT_EQ(rig.session.Command6_Click(file.path()), Outcome::Refused);
    ASSERT_EQ(rig.library.written().size(), 4u);
    ASSERT_EQ(rig.display.messages.size(), 1u);
    EXPECT_EQ(rig.display.messages[0].text, "Erro na gravação");
    EXPECT_EQ(rig.display.messages[0].title, ops::kApplicationTitle);
    EXPECT_EQ(rig.display.messages[0].icon, ops::MessageIcon::None);
    EXPECT_EQ(rig.display.value, rig.display.min);
    EXPECT_EQ(rig.display.statuses.back(), "Erro na gravação!");
    EXPECT_TRUE(rig.display.buttons_enabled);
}

// A bar the last run filled is emptied however a run fails, the erase or begin included.
TEST(FlashRun, EraseOrBeginFailureEmptiesTheBar) {
    TempFile file("bar.hex", kWorkedExample);
    for (const int answered : {0, 1}) {
        Rig rig;
        rig.display.value = 7.0f;
        if (answered == 1) {
            rig.library.answer_next({0xAA});
        }
        rig.library.then(Step{{}, {}, true});
        EXPECT_EQ(rig.session.Command6_Click(file.path()), Outcome::Removed);
        EXPECT_EQ(rig.display.value, rig.display.min) << answered;
    }
}

struct StopCase {
    const char* name;
    Step fault;  // replaces the answer to the first data report
    Outcome outcome;
    const char* message;
    friend void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }
};

class RunStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(RunStops, WithAClearMessageAndNoEndCommand) {
    TempFile file("stop.hex", kWorkedExample);
    Rig rig;
    rig.library.answer_next({0xAA});
    rig.library.answer_next({0xCC});
    rig.library.then(GetParam().fault);

    EXPECT_EQ(rig.session.Command6_Click(file.path()), GetParam().outcome);
    for (const Report& r : rig.library.written()) {
        EXPECT_NE(r[1], 0xDD);
    }
    ASSERT_EQ(rig.display.messages.size(), 1u);
    EXPECT_EQ(rig.display.messages[0].text, GetParam().message);
    EXPECT_EQ(rig.display.statuses.back(), "Erro na gravação!");
    EXPECT_EQ(rig.display.buttons_enabled, GetParam().outcome != Outcome::Removed);
    EXPECT_FALSE(rig.session.operation_running());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RunStops,
    ::testing::Values(
        StopCase{"silent", Step{}, Outcome::TimedOut, "O gravador não respondeu em 0,3 s."},
        StopCase{"unplugged", Step{{}, {}, true}, Outcome::Removed,
                 "O gravador foi desconectado durante a operação."},
        StopCase{"write_failure", Step{{}, {}, false, true}, Outcome::WriteFailed,
                 "Não foi possível enviar o comando ao gravador. Verifique se ele está "
                 "conectado."}),
    [](const auto& info) { return std::string(info.param.name); });

// A packing that puts pad bytes into the slots of entries past the last record,
// as FF..F0 00 00 at address 0xFFFF: a programmer that wraps writes F0 at 0x000C.
void pad_bytes_packing(hex::Memory mode, int i, hex::LineTable& table, Report& report,
                       hex::RecordLabels& labels) {
    hex::monta_pacote(mode, i, table, report, labels);
    for (std::size_t slot = 0; slot < protocol::kSlotCount; ++slot) {
        const std::size_t start = protocol::slot_start(slot);
        if (report[start + 1] == 0xFF && report[start + 2] == 0xFF) {
            report[start + 3 + 13] = 0xF0;
            report[start + 3 + 14] = 0x00;
            report[start + 3 + 15] = 0x00;
        }
    }
}

TEST(FileChoice, CancelRefusedFileOrRefusedRehearsalSendsNothingAndChangesNothing) {
    TempFile bad("bad.hex", ":10010000000102030405060708090A0B0C0D0E0F00\n:00000001FF\n");
    TempFile good("good.hex", kWorkedExample);
    Rig rig;
    EXPECT_EQ(rig.session.Command6_Click(""), Outcome::NotChosen);
    EXPECT_EQ(rig.session.Command1_Click(bad.path()), Outcome::FileRefused);
    rig.session.use_packer(pad_bytes_packing);
    EXPECT_EQ(rig.session.Command6_Click(good.path()), Outcome::FileRefused);
    rig.session.set_part(ops::find_part("at89s52"));
    EXPECT_EQ(rig.session.Command1_Click(good.path()), Outcome::FileRefused);
    EXPECT_TRUE(rig.library.written().empty());
    EXPECT_TRUE(rig.display.statuses.empty());
    EXPECT_TRUE(rig.display.progress_values.empty());
    EXPECT_EQ(rig.display.button_changes.size(), 1u);
    ASSERT_EQ(rig.display.messages.size(), 3u);
    EXPECT_NE(rig.display.messages[0].text.find("linha 1"), std::string::npos);
    EXPECT_EQ(rig.display.messages[1].text,
              "Ensaio da gravação: no endereço 0x000C o chip ficaria com 0xF0, mas a imagem não "
              "dá esse endereço. Nada foi enviado ao gravador.");
    EXPECT_EQ(rig.display.messages[2].text,
              "Gravação recusada: o AT89S52 não tem EEPROM. Nada foi enviado ao gravador.");
    // A window asks before its dialog opens: the same refusal, with no file.
    EXPECT_TRUE(rig.session.refused_before_choice(hex::Memory::Eeprom));
    EXPECT_EQ(rig.display.messages.back().text, rig.display.messages[2].text);
}

// A production job changes an image in memory before packing: it is judged as a file is.
TEST(Prepare, AnImageInHandPacksAsItsFileAndIsJudgedAfterItsChange) {
    TempFile file("hand.hex", kWorkedExample);
    const auto from_path = ops::prepare(file.path(), {});
    ops::LoadedImage in_hand = ops::load_image(file.path());
    ASSERT_TRUE(from_path->ready());
    EXPECT_EQ(ops::prepare(in_hand, {})->packed->reports(), from_path->packed->reports());
    in_hand.load.image.set(0x0200, 0x55);
    EXPECT_EQ(ops::prepare(in_hand, {})->refusal,
              "Ensaio da gravação: no endereço 0x0200 o chip ficaria com 0xFF, mas a imagem dá "
              "0x55. Nada foi enviado ao gravador.");
}

TEST(FlashRun, PlugEventDuringARunDoesNotEnableTheButtons) {
    TempFile file("plug.hex", kWorkedExample);
    Rig rig;
    rig.library.answer_next({0xAA});
    std::vector<bool> enabled_while_running;
    rig.queue.before_dispatch = [&](const hid::HidEvent& e) {
        if (e.kind == hid::HidEventKind::ReadReady && rig.session.operation_running()) {
            rig.library.post(hid::HidEventKind::Plugged, ScriptedHidLibrary::kProgrammer);
        }
        enabled_while_running.push_back(rig.display.buttons_enabled);
    };
    rig.library.answer_next({0xCC});
    rig.library.answer_next({0xBB});
    rig.library.answer_next({0xBB});
    rig.library.answer_next({0xDD});
    EXPECT_EQ(rig.session.Command6_Click(file.path()), Outcome::Success);
    ASSERT_FALSE(enabled_while_running.empty());
    for (const bool enabled : enabled_while_running) {
        EXPECT_FALSE(enabled);
    }
    EXPECT_TRUE(rig.display.buttons_enabled);
}

TEST(Erase, EchoThenSuccessAndTheButtonsGoOffAfterTheWrite) {
    Rig rig;
    rig.library.then({command_report(0xAA), {0xCC, 0xAA}});
    rig.library.then({command_report(0xAA), {0xAA}});
    EXPECT_EQ(rig.session.Command4_Click(), Outcome::Success);
    EXPECT_EQ(rig.session.Command4_Click(), Outcome::Success);
    EXPECT_EQ(rig.display.statuses,
              (std::vector<std::string>{"Apagando...", "Apagou com sucesso!", "Apagando...",
                                        "Apagou com sucesso!"}));
    EXPECT_EQ(rig.display.button_changes, (std::vector<bool>{true, false, true, false, true}));
    EXPECT_TRUE(rig.display.messages.empty());
    EXPECT_TRUE(rig.display.progress_values.empty());
}

struct LockCase {
    ops::LockBits bits;
    std::uint8_t value;
    std::vector<std::uint8_t> answers;
    Outcome outcome;
    const char* message;
    friend void PrintTo(const LockCase& c, std::ostream* os) { *os << "value " << int(c.value); }
};

class LockBits : public ::testing::TestWithParam<LockCase> {};

TEST_P(LockBits, ValueFromTheBoxesAndVerdictFromTheAnswer) {
    const LockCase& c = GetParam();
    Rig rig;
    rig.library.then({{}, c.answers});
    EXPECT_EQ(rig.session.Command2_Click(c.bits), c.outcome);
    ASSERT_EQ(rig.library.written().size(), 1u);
    EXPECT_EQ(rig.library.written()[0][1], 0x01);
    EXPECT_EQ(rig.library.written()[0][2], c.value);
    ASSERT_EQ(rig.display.messages.size(), 1u);
    EXPECT_EQ(rig.display.messages[0].text, c.message);
    EXPECT_EQ(rig.display.messages[0].title, "Vantro Velmora");
    EXPECT_EQ(rig.display.messages[0].icon, ops::MessageIcon::Information);
    EXPECT_TRUE(rig.display.statuses.empty());
    EXPECT_TRUE(rig.display.buttons_enabled);
}

INSTANTIATE_TEST_SUITE_P(Boxes, LockBits,
                         ::testing::Values(LockCase{{false, false, false},
                                                    0xE0,
                                                    {0xFF},
                                                    Outcome::Success,
                                                    "Lock bits gravados com sucesso!!!"},
                                           LockCase{{true, true, true},
                                                    0xE7,
                                                    {0x7F, 0xFF},
                                                    Outcome::Success,
                                                    "Lock bits gravados com sucesso!!!"},
                                           LockCase{{false, true, false},
                                                    0xE2,
                                                    {0x00},
                                                    Outcome::Refused,
                                                    "Falha na gravação de Lock bits 0"},
                                           LockCase{{true, false, true},
                                                    0xE5,
                                                    {0xFE},
                                                    Outcome::Refused,
                                                    "Falha na gravação de Lock bits 254"},
                                           LockCase{{false, false, true},
                                                    0xE4,
                                                    {0x01},
                                                    Outcome::Refused,
                                                    "Falha na gravação de Lock bits 1"}));

}  // namespace
}  // namespace vantro

namespace vantro {
namespace {

TEST(Cancel, ArrivingWithAnAnswerStopsTheRunBeforeTheNextReport) {
    testing::TempFile file("cancel.hex", kWorkedExample);
    Rig rig;
    rig.library.answer_next({0xAA});
    rig.queue.before_dispatch = [&rig](const hid::HidEvent& e) {
        if (e.kind == hid::HidEventKind::ReadReady) {
            rig.session.cancel_operation();  // the user confirmed closing the window
        }
    };
    EXPECT_EQ(rig.session.Command6_Click(file.path()), ops::Outcome::Cancelled);
    EXPECT_EQ(rig.library.written().size(), 1u);
    EXPECT_TRUE(rig.display.messages.empty());
    EXPECT_TRUE(rig.display.buttons_enabled);

    // The next operation starts afresh.
    rig.queue.before_dispatch = nullptr;
    rig.library.answer_next({0xAA});
    EXPECT_EQ(rig.session.Command4_Click(), ops::Outcome::Success);
}

}  // namespace
}  // namespace vantro
