// SPDX-License-Identifier: MIT
// Each button end to end on the emulated programmer: status texts in order,
// progress, buttons, record labels, message boxes and the emulated memory.

#include <gtest/gtest.h>

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "tests/app/form_rig.h"
#include "tests/support/temp_file.h"
#include "tests/support/worked_example.h"

namespace vantro {
namespace {

using ops::MessageIcon;
using ops::Outcome;
using testing::FormRig;
using testing::TempFile;
using testing::wait_until;
using Statuses = std::vector<std::string>;

using testing::kWorkedExample;

emulator::EmulatorSettings with(std::initializer_list<const char*> settings) {
    emulator::EmulatorSettings result;
    for (const char* setting : settings) {
        EXPECT_FALSE(emulator::apply_setting(result, setting).has_value()) << setting;
    }
    return result;
}

class Operations : public ::testing::Test {
protected:
    void start(emulator::EmulatorSettings settings = {}) {
        rig.emplace(settings);
        ASSERT_TRUE(wait_until([this] { return rig->buttons_enabled(); }));
    }
    void choose(const TempFile& file) { rig->files.choices.push_back(file.path()); }
    // The emulator's memory may be read once no answer is due any more.
    const emulator::EmulatedProgrammer& programmer() {
        EXPECT_TRUE(wait_until([this] { return rig->library.pending_answers() == 0; }));
        return rig->library.programmer();
    }

    TempFile hex_file{"app-worked.hex", kWorkedExample};
    std::optional<FormRig> rig;
};

TEST_F(Operations, EraseShowsItsTwoTextsAndGivesTheButtonsBack) {
    start();
    rig->form.controls().Command4->click();
    EXPECT_EQ(rig->form.last_outcome(), Outcome::Success);
    EXPECT_EQ(rig->form.statuses, (Statuses{"Apagando...", "Apagou com sucesso!"}));
    EXPECT_EQ(rig->form.controls().sucesso->text(), QStringLiteral("Apagou com sucesso!"));
    EXPECT_TRUE(rig->buttons_enabled());
    EXPECT_TRUE(rig->boxes.shown.empty());
    EXPECT_EQ(programmer().reports_received(), 1u);
}

TEST_F(Operations, FlashWritesTheImageWithProgressAndRecordLabels) {
    start();
    choose(hex_file);
    rig->form.controls().Command6->click();
    EXPECT_EQ(rig->form.last_outcome(), Outcome::Success);
    EXPECT_EQ(rig->form.statuses, (Statuses{"Apagando...", "Apagou com sucesso!", "Gravando...",
                                            "Gravou com sucesso!"}));
    EXPECT_EQ(rig->form.progress_values, (std::vector<float>{0, 3, 6, 7}));
    EXPECT_EQ(rig->form.progress_max(), 7.0f);
    EXPECT_EQ(rig->form.controls().porcentagem->maximum(), 7);
    EXPECT_EQ(rig->form.controls().porcentagem->value(), 7);
    ASSERT_FALSE(rig->form.record_labels[0].empty());
    EXPECT_EQ(rig->form.record_labels[0].front(), ":10010000000102030405060708090A0B0C0D0E0F");
    EXPECT_EQ(rig->form.record_labels[1].front(), ":03011000E4F5A0");
    EXPECT_EQ(rig->form.controls().lblmsg->text().toStdString(), rig->form.record_labels[0].back());
    EXPECT_TRUE(rig->buttons_enabled());

    const auto& flash = programmer().flash();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(flash[0x100 + i], i) << i;
    }
    EXPECT_EQ(flash[0x110], 0xE4);
    EXPECT_EQ(flash[0x112], 0xA0);
    EXPECT_EQ(flash[0x113], 0xFF);
}

TEST_F(Operations, EepromWritesTheImageWithoutErasing) {
    start();
    choose(hex_file);
    rig->form.controls().Command1->click();
    EXPECT_EQ(rig->form.last_outcome(), Outcome::Success);
    EXPECT_EQ(rig->form.statuses, (Statuses{"Gravando EEPROM...", "Gravou com sucesso!"}));
    EXPECT_EQ(rig->form.progress_values, (std::vector<float>{0, 3, 6, 7}));
    const auto& eeprom = programmer().eeprom();
    EXPECT_EQ(eeprom[0x10F], 0x0F);
    EXPECT_EQ(eeprom[0x111], 0xF5);
    EXPECT_EQ(programmer().flash()[0x100], 0xFF);
}

// A memory the session sees after a run is checked against the image; a difference
// (here: an emulated EEPROM smaller than the rehearsal's) is told in a box.
TEST_F(Operations, AChipMemoryThatDiffersAfterTheRunIsShownInABox) {
    start(with({"eeprom=256"}));
    rig->form.session().see_chip_memory(
        [this](hex::Memory) { return &rig->library.programmer().eeprom(); });
    choose(hex_file);
    rig->form.controls().Command1->click();
    EXPECT_EQ(rig->form.last_outcome(), Outcome::Mismatch);
    ASSERT_EQ(rig->boxes.shown.size(), 1u);
    EXPECT_EQ(rig->boxes.shown[0].text, "Memória emulada difere da imagem no endereço 0x0100.");
    EXPECT_TRUE(rig->buttons_enabled());
}

TEST_F(Operations, CancelledFileChoiceChangesNothing) {
    start();
    rig->form.controls().Command6->click();
    EXPECT_EQ(rig->form.last_outcome(), Outcome::NotChosen);
    EXPECT_TRUE(rig->form.statuses.empty());
    EXPECT_TRUE(rig->form.progress_values.empty());
    EXPECT_TRUE(rig->buttons_enabled());
    EXPECT_EQ(programmer().reports_received(), 0u);
}

TEST_F(Operations, RefusedDataReportShowsTheErrorAndEmptiesTheBar) {
    start(with({"refuse=4"}));  // erase, begin, first data report, then this one
    choose(hex_file);
    rig->form.controls().Command6->click();
    EXPECT_EQ(rig->form.last_outcome(), Outcome::Refused);
    ASSERT_EQ(rig->boxes.shown.size(), 1u);
    EXPECT_EQ(rig->boxes.shown[0].text, "Erro na gravação");
    EXPECT_EQ(rig->boxes.shown[0].title, "Vantro");
    EXPECT_EQ(rig->boxes.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(rig->form.statuses.back(), "Erro na gravação!");
    EXPECT_EQ(rig->form.progress_values.back(), 0.0f);
    EXPECT_EQ(rig->form.controls().porcentagem->value(), 0);
    EXPECT_TRUE(rig->buttons_enabled());
    EXPECT_EQ(programmer().reports_received(), 4u);  // no end command
}

TEST_F(Operations, RemovalMidRunLeavesTheButtonsOffUntilTheProgrammerIsBack) {
    for (const bool back_while_the_user_reads : {false, true}) {
        start(with({"unplug=3"}));  // the first data report
        choose(hex_file);
        if (back_while_the_user_reads) {  // the plug is handled while the run still runs
            rig->boxes.while_showing = [this] {
                rig->library.plug();
                FormRig::settle();
            };
        }
        rig->form.controls().Command6->click();
        EXPECT_EQ(rig->form.last_outcome(), Outcome::Removed);
        EXPECT_TRUE(
            wait_until([&] { return rig->buttons_enabled() == back_while_the_user_reads; }));
        EXPECT_TRUE(back_while_the_user_reads || rig->buttons_disabled());
    }
}

// Whether files dragged onto a button and dropped there were taken.
bool drop(QWidget& target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    return QApplication::sendEvent(&target, &enter) && QApplication::sendEvent(&target, &drop) &&
           enter.isAccepted() && drop.isAccepted();
}

TEST_F(Operations, HexFileDroppedOnAProgrammingButtonRunsItWithoutTheDialog) {
    start();
    const TempFile ihx{"app-dropped.IHX", kWorkedExample};
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(ihx.path()));
    const auto& c = rig->form.controls();
    EXPECT_FALSE(drop(*c.Command1, {url, url}));
    EXPECT_FALSE(drop(*c.Command1, {QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt"))}));
    EXPECT_FALSE(drop(*c.Command4, {url}));
    EXPECT_TRUE(drop(*c.Command1, {url}));
    EXPECT_TRUE(wait_until([this] { return rig->form.last_outcome().has_value(); }));
    EXPECT_EQ(rig->form.statuses, (Statuses{"Gravando EEPROM...", "Gravou com sucesso!"}));
}

struct LockCase {
    bool lb1, lb2, lb3;
    const char* setting;  // what the emulator answers
    std::uint8_t written;
    const char* message;
};

void PrintTo(const LockCase& c, std::ostream* out) {
    *out << "lb1=" << c.lb1 << " lb2=" << c.lb2 << " lb3=" << c.lb3 << ' ' << c.setting;
}

class LockBits : public Operations, public ::testing::WithParamInterface<LockCase> {};

TEST_P(LockBits, BoxesGiveTheValueAndTheAnswerTheMessage) {
    const LockCase& c = GetParam();
    start(c.setting[0] != '\0' ? with({c.setting}) : emulator::EmulatorSettings{});
    const auto& controls = rig->form.controls();
    controls.lb1->setChecked(c.lb1);
    controls.lb2->setChecked(c.lb2);
    controls.lb3->setChecked(c.lb3);
    controls.Command2->click();
    ASSERT_EQ(rig->boxes.shown.size(), 1u);
    EXPECT_EQ(rig->boxes.shown[0].text, c.message);
    EXPECT_EQ(rig->boxes.shown[0].title, "Vantro Velmora");
    EXPECT_EQ(rig->boxes.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(programmer().lock_bits(), c.written);
    EXPECT_TRUE(rig->form.statuses.empty());
    EXPECT_TRUE(rig->buttons_enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Window, LockBits,
    ::testing::Values(
        LockCase{false, false, false, "", 0xE0, "Lock bits gravados com sucesso!!!"},
        LockCase{true, false, true, "", 0xE5, "Lock bits gravados com sucesso!!!"},
        LockCase{true, true, true, "lock=0", 0xE7, "Falha na gravação de Lock bits 0"},
        LockCase{false, true, false, "lock=254", 0xE2, "Falha na gravação de Lock bits 254"}));

}  // namespace
}  // namespace vantro
