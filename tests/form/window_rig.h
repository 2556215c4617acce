// SPDX-License-Identifier: MIT
#pragma once
// The window controller on a fake surface that records every call, and a loop
// that stands for a toolkit's: HID events, tasks posted with later(), and the
// user's actions while an operation waits.

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "emulator/emulated_hid_library.h"
#include "form/window_controller.h"
#include "hid/event_queue.h"

namespace vantro::testing {

struct ShownBox {
    std::string text;
    std::string title;
    ops::MessageIcon icon;
};

class FakeSurface : public form::WindowSurface {
public:
    std::vector<std::pair<std::string, std::string>> texts;  // control, text; in order
    std::map<std::string, bool, std::less<>> enabled;
    std::map<std::string, bool, std::less<>> boxes_checked;
    std::vector<std::pair<int, int>> bars;  // maximum, value
    std::deque<std::string> choices;        // none left: the user cancels the dialog
    std::vector<form::OpenDialog> dialogs;
    std::vector<std::string> questions;
    bool answer = true;
    std::function<void()> while_asking;  // the time the user takes to answer
    std::vector<ShownBox> shown;
    std::deque<std::function<void()>> tasks;
    bool closed = false;
    form::WindowController* controller = nullptr;

    // The texts a control was given, in order.
    std::vector<std::string> texts_of(std::string_view control) const {
        std::vector<std::string> given;
        for (const auto& [name, text] : texts) {
            if (name == control) {
                given.push_back(text);
            }
        }
        return given;
    }
    std::string text(std::string_view control) const {
        const auto given = texts_of(control);
        return given.empty() ? std::string() : given.back();
    }
    bool buttons(bool on) const {
        for (const char* button : {"Command1", "Command2", "Command4", "Command6"}) {
            const auto found = enabled.find(button);
            if ((found != enabled.end() && found->second) != on) {
                return false;
            }
        }
        return true;
    }
    // The user closes the window, as the toolkit's close asks the controller.
    void user_closes() {
        if (controller->close_requested()) {
            closed = true;
        }
    }

    void set_text(std::string_view control, std::string_view text) override {
        texts.emplace_back(control, text);
    }
    void enable(std::string_view control, bool on) override { enabled[std::string(control)] = on; }
    bool checked(std::string_view control) const override {
        const auto found = boxes_checked.find(control);
        return found != boxes_checked.end() && found->second;
    }
    void set_bar(int maximum, int value) override { bars.emplace_back(maximum, value); }
    std::string choose_hex_file(const form::OpenDialog& dialog) override {
        dialogs.push_back(dialog);
        if (choices.empty()) {
            return {};
        }
        std::string next = choices.front();
        choices.pop_front();
        return next;
    }
    bool ask(std::string_view question, std::string_view) override {
        questions.emplace_back(question);
        if (while_asking) {
            while_asking();
        }
        return answer;
    }
    void show_message(std::string_view text, std::string_view title,
                      ops::MessageIcon icon) override {
        shown.push_back({std::string(text), std::string(title), icon});
    }
    void later(std::function<void()> task) override { tasks.push_back(std::move(task)); }
    void close_window() override { user_closes(); }
};

// A toolkit's loop: in a wait, the user's action first (once); then the HID
// events, then the tasks posted.
class ToolkitLoop : public hid::EventQueue {
public:
    explicit ToolkitLoop(FakeSurface& surface) : surface_(surface) {}
    std::function<void()> during_wait;

    void process_pending_events(Deadline deadline) override {
        // Not in the drain before an exchange's write: the user acts during its wait.
        if (deadline > std::chrono::steady_clock::now()) {
            if (auto action = std::exchange(during_wait, nullptr)) {
                action();
            }
        }
        EventQueue::process_pending_events(deadline);
        for (auto tasks = std::exchange(surface_.tasks, {}); !tasks.empty(); tasks.pop_front()) {
            tasks.front()();
        }
    }

private:
    FakeSurface& surface_;
};

template <class Library = emulator::EmulatedHidLibrary>
struct WindowRig {
    template <class... Args>
    explicit WindowRig(Args&&... args) : library(std::forward<Args>(args)...) {
        surface.controller = &controller;
        controller.session().set_timeout(std::chrono::milliseconds(300));
        controller.Form_Load();
        settle();
    }

    // Handles what is pending: events, then the tasks they posted.
    void settle() {
        for (int round = 0; round < 3; ++round) {
            loop.process_pending_events(std::chrono::steady_clock::now());
        }
    }
    // Pumps until done, for at most 5 s.
    bool pump_until(const std::function<bool()>& done) {
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < give_up) {
            loop.process_pending_events(std::chrono::steady_clock::now() +
                                        std::chrono::milliseconds(10));
        }
        return done();
    }

    Library library;
    FakeSurface surface;
    ToolkitLoop loop{surface};
    form::WindowController controller{library, loop, surface};
};

}  // namespace vantro::testing
