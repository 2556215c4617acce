// SPDX-License-Identifier: MIT
#include "form/window_controller.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "form/close_question.h"
#include "form/form_table.h"
#include "i18n/texts.h"
#include "ops/chip_state.h"

namespace vantro::form {

struct WindowController::Programming {
    std::string_view control;
    ops::Operation operation;
    hex::Memory mode;
    ops::Outcome (ops::ProgrammerSession::*start)(const std::string& hex_path);
};

namespace {

using Programming = WindowController::Programming;

constexpr std::array kProgramming{
    Programming{"Command6", ops::Operation::Flash, hex::Memory::Flash,
                &ops::ProgrammerSession::Command6_Click},
    Programming{"Command1", ops::Operation::Eeprom, hex::Memory::Eeprom,
                &ops::ProgrammerSession::Command1_Click},
};

struct Handler {
    std::string_view control;
    void (WindowController::*click)();
};

// Each control's click handler; a control of the form missing here has none.
constexpr std::array kHandlers{
    Handler{"Command6", &WindowController::Command6_Click},
    Handler{"Command1", &WindowController::Command1_Click},
    Handler{"Command2", &WindowController::Command2_Click},
    Handler{"Command4", &WindowController::Command4_Click},
};

// habilita_comandos' buttons, in its order.
constexpr std::array<std::string_view, 4> kCommands{"Command1", "Command2", "Command4", "Command6"};
constexpr std::array<std::string_view, 3> kRecordLabels{"lblmsg", "lblmsg1", "lblmsg2"};

const Programming* programming_of(std::string_view control) {
    const auto found = std::ranges::find(kProgramming, control, &Programming::control);
    return found == kProgramming.end() ? nullptr : &*found;
}

int bar_units(float value) {
    return static_cast<int>(std::lround(value));
}

// Whether the run may have written to the programmer: these outcomes end before it starts.
bool may_have_sent(ops::Outcome outcome) {
    using enum ops::Outcome;
    return outcome != NotChosen && outcome != FileRefused && outcome != Busy && outcome != NotFound;
}

}  // namespace

OpenDialog hex_file_dialog() {
    // The first entry reads "Arqs. HEX(*.hex)" and shows .ihx files too; the
    // second names .ihx, SDCC's files.
    return {tr("Procurar arquivo hex"),
            {{tr("Arqs. HEX(*.hex)"), {"*.hex", "*.ihx"}}, {tr("Arqs. IHX(*.ihx)"), {"*.ihx"}}}};
}

std::string window_caption(std::string_view backend_description) {
    std::string caption = tr(main_form().caption);
    if (!backend_description.empty()) {
        caption += " — ";
        caption += backend_description;
    }
    return caption;
}

void WindowController::WatchedLoop::deliver_to(Delivery delivery) {
    loop_.deliver_to([this, delivery = std::move(delivery)](const hid::HidEvent& event) {
        if (event.kind == hid::HidEventKind::Changed && on_device_list_changed) {
            on_device_list_changed();
        }
        delivery(event);
    });
}

WindowController::WindowController(hid::HidLibrary& library, hid::EventLoop& loop,
                                   WindowSurface& surface)
    : surface_(surface),
      loop_(loop),
      attached_(library, loop_, *this),
      progress_max_(kProgressStartMaximum),
      commands_enabled_(find_control("Command6")->starts_enabled) {}

void WindowController::watch_access(connection::Backend& backend) {
    access_hint_.emplace(backend, *this);
    loop_.on_device_list_changed = [this] {
        if (auto warning = access_hint_->device_list_changed()) {
            surface_.later([this, text = std::move(*warning)] {
                surface_.show_message(text, ops::kApplicationTitle, ops::MessageIcon::Warning);
            });
        }
    };
}

void WindowController::click(std::string_view control) {
    const auto found = std::ranges::find(kHandlers, control, &Handler::control);
    if (found != kHandlers.end()) {
        (this->*found->click)();
    }
}

void WindowController::Command6_Click() {
    choose_and_program(kProgramming[0]);
}

void WindowController::Command1_Click() {
    choose_and_program(kProgramming[1]);
}

void WindowController::Command2_Click() {
    const ops::LockBits bits{surface_.checked("lb1"), surface_.checked("lb2"),
                             surface_.checked("lb3")};
    run(ops::Operation::Lock, [this, bits] { return session().Command2_Click(bits); });
}

void WindowController::Command4_Click() {
    run(ops::Operation::Erase, [this] { return session().Command4_Click(); });
}

void WindowController::choose_and_program(const Programming& programming) {
    // No dialog over a running operation: it would refuse the file anyway.
    if (session().operation_running()) {
        last_outcome_ = ops::Outcome::Busy;
        return;
    }
    // Nor for a run no file could make possible: the session says why.
    if (session().refused_before_choice(programming.mode)) {
        last_outcome_ = ops::Outcome::FileRefused;
        return;
    }
    carrega_hex(programming, surface_.choose_hex_file(hex_file_dialog()));
}

void WindowController::carrega_hex(const Programming& programming, const std::string& path) {
    run(programming.operation,
        [this, &programming, &path] { return (session().*programming.start)(path); });
}

bool WindowController::takes_drop(std::string_view control,
                                  std::span<const DroppedFile> files) const {
    return programming_of(control) != nullptr && commands_enabled_ && files.size() == 1 &&
           files.front().is_file && names_hex_file(files.front().path);
}

bool WindowController::drop(std::string_view control, std::span<const DroppedFile> files) {
    if (!takes_drop(control, files)) {
        return false;
    }
    surface_.later([this, &programming = *programming_of(control), path = files.front().path] {
        if (commands_enabled_) {  // an unplug may have come first
            carrega_hex(programming, path);
        }
    });
    return true;
}

void WindowController::run(ops::Operation operation, const std::function<ops::Outcome()>& start) {
    if (session().operation_running()) {
        last_outcome_ = ops::Outcome::Busy;
        return;
    }
    held_.emplace();
    const ops::Outcome outcome = start();
    std::vector<Message> messages = std::move(*held_);
    held_.reset();
    last_outcome_ = outcome;
    show_held(std::move(messages), operation, outcome);
    if (close_after_operation_) {
        surface_.close_window();
    }
}

// A failure's box keeps its own text as its first line and says, as the CLI
// does, what the chip now holds and what to do. A cancel has no box: the
// window is closing.
void WindowController::show_held(std::vector<Message> messages, ops::Operation operation,
                                 ops::Outcome outcome) {
    const bool sent = may_have_sent(outcome) && session().link().wrote_in_operation();
    const auto chip_state = ops::chip_state_after(operation, outcome, sent);
    if (chip_state && outcome != ops::Outcome::Cancelled && !messages.empty()) {
        messages.back().text += '\n' + *chip_state;
    }
    for (const Message& message : messages) {
        surface_.show_message(message.text, message.title, message.icon);
    }
}

bool WindowController::close_requested() {
    if (!session().operation_running()) {
        Form_Unload();
        return true;
    }
    if (close_after_operation_) {
        return false;
    }
    if (surface_.ask(close_question(session().running_operation()), ops::kApplicationTitle)) {
        close_after_operation_ = true;
        session().cancel_operation();
        loop_.wake();
    }
    return false;
}

void WindowController::set_record_label(int index, std::string_view text) {
    if (index >= 0 && index < static_cast<int>(kRecordLabels.size())) {
        surface_.set_text(kRecordLabels[static_cast<std::size_t>(index)], text);
    }
}

void WindowController::set_status(std::string_view text) {
    surface_.set_text("sucesso", text);
}

void WindowController::set_connection_text(std::string_view text) {
    surface_.set_text("estado", text);
}

void WindowController::habilita_comandos(bool enabled) {
    commands_enabled_ = enabled;
    for (const std::string_view button : kCommands) {
        surface_.enable(button, enabled);
    }
}

void WindowController::set_progress_max(float max) {
    progress_max_ = max;
    set_bar();
}

void WindowController::set_progress_value(float value) {
    progress_value_ = value;
    set_bar();
}

void WindowController::set_bar() {
    surface_.set_bar(bar_units(progress_max_), bar_units(progress_value_));
}

void WindowController::show_message(std::string_view text, std::string_view title,
                                    ops::MessageIcon icon) {
    Message message{std::string(text), std::string(title.empty() ? ops::kApplicationTitle : title),
                    icon};
    if (held_) {
        held_->push_back(std::move(message));
        return;
    }
    surface_.show_message(message.text, message.title, message.icon);
}

}  // namespace vantro::form
