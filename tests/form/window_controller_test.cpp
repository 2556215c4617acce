// SPDX-License-Identifier: MIT
// Every handler of the window, once for both toolkits: the controller on the
// emulated programmer and a fake surface.

#include <gtest/gtest.h>

#include "ops/parts.h"
#include "tests/form/window_rig.h"
#include "tests/support/temp_file.h"
#include "tests/support/worked_example.h"

namespace vantro {
namespace {

using namespace std::chrono_literals;
using ops::MessageIcon;
using ops::Outcome;
using testing::TempFile;
using Texts = std::vector<std::string>;
using Rig = testing::WindowRig<>;

emulator::EmulatorSettings with(std::initializer_list<const char*> settings) {
    emulator::EmulatorSettings result;
    for (const char* setting : settings) {
        EXPECT_FALSE(emulator::apply_setting(result, setting).has_value()) << setting;
    }
    return result;
}

class Controller : public ::testing::Test {
protected:
    Rig& start(emulator::EmulatorSettings settings = {}) {
        rig.emplace(settings);
        EXPECT_TRUE(rig->surface.buttons(true));
        return *rig;
    }
    // The emulator's memory may be read once no answer is due any more.
    const emulator::EmulatedProgrammer& programmer() {
        EXPECT_TRUE(rig->pump_until([this] { return rig->library.pending_answers() == 0; }));
        return rig->library.programmer();
    }

    TempFile hex_file{"window-worked.hex", testing::kWorkedExample};
    std::optional<Rig> rig;
};

TEST_F(Controller, ArrivalAndRemovalSetTheLabelAndTheButtons) {
    Rig r(emulator::EmulatorSettings{}, false);
    EXPECT_TRUE(r.surface.enabled.empty());  // as the form starts them: off
    r.library.plug();
    r.settle();
    EXPECT_TRUE(r.surface.buttons(true));
    EXPECT_EQ(r.surface.text("estado"), "Estado: Gravador Conectado");
    const hid::DeviceHandle other = r.library.plug_other(0x1234, 0x0002);
    r.settle();
    r.library.unplug_other(other);  // says disconnected, but leaves the buttons alone
    r.settle();
    EXPECT_TRUE(r.surface.buttons(true));
    r.library.unplug();
    r.settle();
    EXPECT_TRUE(r.surface.buttons(false));
    EXPECT_EQ(r.surface.text("estado"), "Estado: Gravador Desconectado");
}

TEST_F(Controller, EraseShowsItsTwoTextsAndGivesTheButtonsBack) {
    start().controller.click("Command4");
    EXPECT_EQ(rig->controller.last_outcome(), Outcome::Success);
    EXPECT_EQ(rig->surface.texts_of("sucesso"), (Texts{"Apagando...", "Apagou com sucesso!"}));
    EXPECT_TRUE(rig->surface.buttons(true));
    EXPECT_TRUE(rig->surface.shown.empty());
    EXPECT_EQ(programmer().reports_received(), 1u);
}

TEST_F(Controller, FlashAsksTheDialogAndWritesWithBarAndRecordLabels) {
    start().surface.choices.push_back(hex_file.path());
    rig->controller.click("Command6");
    EXPECT_EQ(rig->controller.last_outcome(), Outcome::Success);
    ASSERT_EQ(rig->surface.dialogs.size(), 1u);
    const form::OpenDialog& dialog = rig->surface.dialogs[0];
    EXPECT_EQ(dialog.title, "Procurar arquivo hex");
    ASSERT_EQ(dialog.filters.size(), 2u);
    EXPECT_EQ(dialog.filters[0].caption, "Arqs. HEX(*.hex)");
    EXPECT_EQ(dialog.filters[0].patterns, (Texts{"*.hex", "*.ihx"}));
    EXPECT_EQ(dialog.filters[1].caption, "Arqs. IHX(*.ihx)");
    EXPECT_EQ(dialog.filters[1].patterns, (Texts{"*.ihx"}));
    EXPECT_EQ(rig->surface.texts_of("sucesso"),
              (Texts{"Apagando...", "Apagou com sucesso!", "Gravando...", "Gravou com sucesso!"}));
    EXPECT_EQ(rig->surface.bars,
              (std::vector<std::pair<int, int>>{{7, 0}, {7, 0}, {7, 3}, {7, 6}, {7, 7}}));
    EXPECT_EQ(rig->surface.texts_of("lblmsg").front(), ":10010000000102030405060708090A0B0C0D0E0F");
    EXPECT_EQ(rig->surface.texts_of("lblmsg1").front(), ":03011000E4F5A0");
    EXPECT_TRUE(rig->surface.buttons(true));
    EXPECT_EQ(programmer().flash()[0x110], 0xE4);
}

TEST_F(Controller, EepromWritesWithoutErasingAndACancelledChoiceDoesNothing) {
    start().controller.click("Command1");
    EXPECT_EQ(rig->controller.last_outcome(), Outcome::NotChosen);
    EXPECT_TRUE(rig->surface.texts_of("sucesso").empty());
    rig->surface.choices.push_back(hex_file.path());
    rig->controller.click("Command1");
    EXPECT_EQ(rig->controller.last_outcome(), Outcome::Success);
    EXPECT_EQ(rig->surface.texts_of("sucesso"),
              (Texts{"Gravando EEPROM...", "Gravou com sucesso!"}));
    EXPECT_EQ(programmer().eeprom()[0x111], 0xF5);
    EXPECT_EQ(programmer().flash()[0x100], 0xFF);
}

// Refused before any dialog opens, whether clicked or dropped: no file could help.
TEST_F(Controller, EepromOnAPartWithoutOneIsRefusedBeforeTheDialog) {
    start().controller.session().set_part(ops::find_part("AT89S51"));
    rig->surface.choices.push_back(hex_file.path());
    rig->controller.click("Command1");
    EXPECT_EQ(rig->controller.last_outcome(), Outcome::FileRefused);
    EXPECT_TRUE(rig->surface.dialogs.empty());
    ASSERT_EQ(rig->surface.shown.size(), 1u);
    EXPECT_NE(rig->surface.shown[0].text.find("AT89S51"), std::string::npos);
    EXPECT_EQ(rig->surface.shown[0].icon, MessageIcon::Critical);
    ASSERT_TRUE(
        rig->controller.drop("Command1", std::vector<form::DroppedFile>{{hex_file.path(), true}}));
    rig->settle();
    EXPECT_EQ(rig->surface.shown.size(), 2u);
    EXPECT_EQ(programmer().reports_received(), 0u);
}

TEST_F(Controller, LockBitsAreTheCheckedBoxes) {
    start().surface.boxes_checked = {{"lb1", true}, {"lb3", true}};
    rig->controller.click("Command2");
    ASSERT_EQ(rig->surface.shown.size(), 1u);
    EXPECT_EQ(rig->surface.shown[0].text, "Lock bits gravados com sucesso!!!");
    EXPECT_EQ(rig->surface.shown[0].title, "Vantro Velmora");
    EXPECT_EQ(programmer().lock_bits(), 0xE5);
}

TEST_F(Controller, ADropIsTakenAsTheRuleSaysAndRunsOnceItIsOver) {
    start();
    const TempFile ihx{"window-dropped.IHX", testing::kWorkedExample};
    using Files = std::vector<form::DroppedFile>;
    const Files one{{ihx.path(), true}};
    EXPECT_FALSE(
        rig->controller.takes_drop("Command1", Files{{ihx.path(), true}, {ihx.path(), true}}));
    EXPECT_FALSE(rig->controller.takes_drop("Command1", Files{{"/tmp/a.txt", true}}));
    EXPECT_FALSE(rig->controller.takes_drop("Command1", Files{{"/tmp/folder.hex", false}}));
    EXPECT_FALSE(rig->controller.takes_drop("Command4", one));
    EXPECT_TRUE(rig->controller.takes_drop("Command6", one));

    ASSERT_TRUE(rig->controller.drop("Command1", one));
    EXPECT_FALSE(rig->controller.last_outcome().has_value());  // not inside the drop
    rig->settle();
    EXPECT_EQ(rig->surface.texts_of("sucesso"),
              (Texts{"Gravando EEPROM...", "Gravou com sucesso!"}));
    EXPECT_TRUE(rig->surface.dialogs.empty());

    // An unplug handled between the drop and its run: nothing runs.
    rig->library.unplug();
    ASSERT_TRUE(rig->controller.drop("Command6", one));
    rig->settle();
    EXPECT_EQ(rig->surface.texts_of("sucesso").size(), 2u);
    EXPECT_FALSE(rig->controller.takes_drop("Command6", one));
}

class CloseDuringWait : public Controller {
protected:
    // Slow enough that the close comes first even on a loaded machine.
    void SetUp() override {
        start(with({"latency=300"})).controller.session().set_timeout(5s);
        rig->loop.during_wait = [this] { rig->surface.user_closes(); };
    }
};

TEST_F(CloseDuringWait, ConfirmedCloseCancelsTheRunAndClosesTheWindow) {
    rig->controller.click("Command4");
    EXPECT_EQ(rig->surface.questions,
              Texts{"Uma operação está em andamento e fechar a interrompe. O apagamento pode não "
                    "ter terminado: apague de novo. Fechar mesmo assim?"});
    EXPECT_EQ(rig->controller.last_outcome(), Outcome::Cancelled);
    EXPECT_TRUE(rig->surface.closed);
    EXPECT_TRUE(rig->surface.shown.empty());
    EXPECT_EQ(programmer().reports_received(), 1u);
    rig->library.unplug();  // detached: no handler hears of it
    rig->settle();
    EXPECT_EQ(rig->surface.text("estado"), "Estado: Gravador Conectado");
}

TEST_F(CloseDuringWait, DeclinedCloseLetsTheRunFinish) {
    rig->surface.answer = false;
    rig->controller.click("Command4");
    EXPECT_EQ(rig->surface.questions.size(), 1u);
    EXPECT_EQ(rig->controller.last_outcome(), Outcome::Success);
    EXPECT_FALSE(rig->surface.closed);
    rig->surface.user_closes();  // idle: no question
    EXPECT_EQ(rig->surface.questions.size(), 1u);
    EXPECT_TRUE(rig->surface.closed);
}

TEST_F(CloseDuringWait, AnswerArrivingWhileTheUserDecidesSendsNothingMore) {
    rig->surface.while_asking = [this] { std::this_thread::sleep_for(600ms); };
    rig->surface.choices.push_back(hex_file.path());
    rig->controller.click("Command6");
    EXPECT_EQ(rig->controller.last_outcome(), Outcome::Cancelled);
    EXPECT_TRUE(rig->surface.closed);
    EXPECT_EQ(programmer().reports_received(), 1u);
}

// A present programmer this user may not open, then may.
class BlockedBackend : public connection::Backend {
public:
    explicit BlockedBackend(hid::HidLibrary& library) : library_(library) {}
    std::optional<connection::AccessProblem> problem;

    hid::HidLibrary& library() override { return library_; }
    std::string description() const override { return {}; }
    std::optional<connection::AccessProblem> access_problem() const override { return problem; }
    const std::vector<std::uint8_t>* memory(hex::Memory) const override { return nullptr; }

private:
    hid::HidLibrary& library_;
};

TEST_F(Controller, AccessRefusedIsSaidOnceInTheLabelAndABox) {
    Rig r(emulator::EmulatorSettings{}, false);
    BlockedBackend backend(r.library);
    r.controller.watch_access(backend);
    backend.problem = connection::AccessProblem{"/dev/hidraw0", "Sem permissão para abrir."};
    const hid::DeviceHandle other = r.library.plug_other(0x1234, 0x0002);  // a Changed event
    r.settle();
    EXPECT_EQ(r.surface.text("estado"), "Estado: Gravador sem permissão de acesso");
    ASSERT_EQ(r.surface.shown.size(), 1u);
    EXPECT_EQ(r.surface.shown[0].text, "Sem permissão para abrir.");
    EXPECT_EQ(r.surface.shown[0].icon, MessageIcon::Warning);
    r.library.unplug_other(other);
    r.settle();
    EXPECT_EQ(r.surface.shown.size(), 1u);

    backend.problem.reset();  // the udev rule is in place
    r.library.plug();
    r.settle();
    EXPECT_EQ(r.surface.text("estado"), "Estado: Gravador Conectado");
    EXPECT_TRUE(r.surface.buttons(true));
}

TEST(WindowCaption, NamesTheBackendAfterTheFormsCaption) {
    EXPECT_EQ(form::window_caption(""), "Vantro - Vr 2018_B");
    EXPECT_EQ(form::window_caption("gravador emulado"), "Vantro - Vr 2018_B — gravador emulado");
}

}  // namespace
}  // namespace vantro
