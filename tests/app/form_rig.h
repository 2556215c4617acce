// SPDX-License-Identifier: MIT
#pragma once
// The Qt window on the emulated programmer, with scripted message boxes.

#include <functional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/window_dialogs.h"
#include "emulator/emulated_hid_library.h"
#include "tests/app/qt_app.h"

namespace vantro::testing {

struct ShownMessage {
    std::string text;
    std::string title;
    ops::MessageIcon icon;
};

class ScriptedMessageBoxes : public app::MessageBoxes {
public:
    std::vector<ShownMessage> shown;
    std::vector<std::string> questions;
    bool answer = true;

    void show_message(QWidget&, const QString& text, const QString& title,
                      ops::MessageIcon icon) override {
        shown.push_back({text.toStdString(), title.toStdString(), icon});
    }
    bool confirm(QWidget&, const QString& text, const QString&) override {
        questions.push_back(text.toStdString());
        return answer;
    }
};

struct FormRig {
    explicit FormRig(emulator::EmulatorSettings settings = {}, bool plugged = true)
        : library((qt_app(), settings), plugged) {  // the application first, then widgets
        form.replace_message_boxes(boxes);
        form.show();
        settle();
    }

    // Handles the events already posted (presence announcements, answers).
    static void settle() { QTest::qWait(20); }

    bool buttons_enabled() const {
        const auto& c = form.controls();
        return c.Command1->isEnabled() && c.Command2->isEnabled() && c.Command4->isEnabled() &&
               c.Command6->isEnabled();
    }
    bool buttons_disabled() const {
        const auto& c = form.controls();
        return !c.Command1->isEnabled() && !c.Command2->isEnabled() && !c.Command4->isEnabled() &&
               !c.Command6->isEnabled();
    }

    emulator::EmulatedHidLibrary library;
    ScriptedMessageBoxes boxes;
    app::MainForm form{library};
};

}  // namespace vantro::testing
