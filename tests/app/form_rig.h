// SPDX-License-Identifier: MIT
#pragma once
// The window on the emulated programmer, with scripted dialogs and a record of
// what the operations showed, in order.

#include <deque>
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
    // Run while a question or a message is open, as the time a user takes.
    std::function<void()> while_asking;
    std::function<void()> while_showing;

    void show_message(QWidget&, const QString& text, const QString& title,
                      ops::MessageIcon icon) override {
        shown.push_back({text.toStdString(), title.toStdString(), icon});
        if (while_showing) {
            while_showing();
        }
    }
    bool confirm(QWidget&, const QString& text, const QString&) override {
        questions.push_back(text.toStdString());
        if (while_asking) {
            while_asking();
        }
        return answer;
    }
};

class ScriptedFileChooser : public form::FileChooser {
public:
    std::deque<std::string> choices;  // none left: the user cancels

    std::string choose_hex_file() override {
        if (choices.empty()) {
            return {};
        }
        std::string next = choices.front();
        choices.pop_front();
        return next;
    }
};

class RecordingForm : public app::MainForm {
public:
    using MainForm::MainForm;

    std::vector<std::string> statuses;
    std::vector<float> progress_values;
    std::vector<std::string> record_labels[3];

    void set_status(std::string_view text) override {
        statuses.emplace_back(text);
        MainForm::set_status(text);
    }
    void set_progress_value(float value) override {
        progress_values.push_back(value);
        MainForm::set_progress_value(value);
    }
    void set_record_label(int index, std::string_view text) override {
        record_labels[index].emplace_back(text);
        MainForm::set_record_label(index, text);
    }
};

struct FormRig {
    explicit FormRig(emulator::EmulatorSettings settings = {}, bool plugged = true)
        : library((qt_app(), settings), plugged) {  // the application first, then widgets
        form.replace_file_chooser(files);
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
    ScriptedFileChooser files;
    ScriptedMessageBoxes boxes;
    RecordingForm form{library};
};

}  // namespace vantro::testing
