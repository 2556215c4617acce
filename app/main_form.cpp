// SPDX-License-Identifier: MIT
#include "app/main_form.h"

#include <QCloseEvent>
#include <cmath>
#include <utility>

#include "app/hex_drop_target.h"
#include "app/qt_text.h"
#include "form/close_question.h"

namespace vantro::app {
namespace {

int bar_units(float value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

MainForm::MainForm(hid::HidLibrary& library, QWidget* parent)
    : QWidget(parent),
      controls_(create_form_controls(*this)),
      cmdlg1_(*this),
      attached_session_(library, event_loop_, *this) {
    connect(controls_.Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(controls_.Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(controls_.Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(controls_.Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    new HexDropTarget(*controls_.Command6, [this](const std::string& path) {
        carrega_hex(&ops::ProgrammerSession::Command6_Click, path);
    });
    new HexDropTarget(*controls_.Command1, [this](const std::string& path) {
        carrega_hex(&ops::ProgrammerSession::Command1_Click, path);
    });
    Form_Load();
}

void MainForm::describe_backend(std::string_view description) {
    if (!description.empty()) {
        setWindowTitle(windowTitle() + QStringLiteral(" — ") + to_qstring(description));
    }
}

void MainForm::Command6_Click() {
    choose_and_program(&ops::ProgrammerSession::Command6_Click, hex::Memory::Flash);
}

void MainForm::Command1_Click() {
    choose_and_program(&ops::ProgrammerSession::Command1_Click, hex::Memory::Eeprom);
}

void MainForm::Command2_Click() {
    run([this] { return session().Command2_Click(lock_bits()); });
}

void MainForm::Command4_Click() {
    run([this] { return session().Command4_Click(); });
}

void MainForm::choose_and_program(Programming programming, hex::Memory mode) {
    // No dialog over a running operation: it would refuse the file anyway.
    if (session().operation_running()) {
        last_outcome_ = ops::Outcome::Busy;
        return;
    }
    // Nor for a run no file could make possible: the session says why.
    if (session().refused_before_choice(mode)) {
        last_outcome_ = ops::Outcome::FileRefused;
        return;
    }
    carrega_hex(programming, file_chooser_->choose_hex_file());
}

void MainForm::carrega_hex(Programming programming, const std::string& path) {
    run([this, programming, &path] { return (session().*programming)(path); });
}

void MainForm::run(const std::function<ops::Outcome()>& operation) {
    last_outcome_ = operation();
    if (close_after_operation_) {
        close();
    }
}

void MainForm::closeEvent(QCloseEvent* event) {
    if (!session().operation_running()) {
        Form_Unload();
        event->accept();
        return;
    }
    event->ignore();
    if (close_after_operation_) {
        return;
    }
    if (message_boxes_->confirm(*this,
                                to_qstring(form::close_question(session().running_operation())),
                                to_qstring(ops::kApplicationTitle))) {
        close_after_operation_ = true;
        session().cancel_operation();
        event_loop_.wake();
    }
}

void MainForm::set_record_label(int index, std::string_view text) {
    QLabel* const labels[] = {controls_.lblmsg, controls_.lblmsg1, controls_.lblmsg2};
    if (index >= 0 && index < 3) {
        labels[index]->setText(to_qstring(text));
    }
}

void MainForm::set_status(std::string_view text) {
    controls_.sucesso->setText(to_qstring(text));
}

void MainForm::set_connection_text(std::string_view text) {
    controls_.estado->setText(to_qstring(text));
}

void MainForm::habilita_comandos(bool enabled) {
    controls_.Command1->setEnabled(enabled);
    controls_.Command2->setEnabled(enabled);
    controls_.Command4->setEnabled(enabled);
    controls_.Command6->setEnabled(enabled);
}

void MainForm::set_progress_max(float max) {
    progress_max_ = max;
    controls_.porcentagem->setMaximum(bar_units(max));
}

void MainForm::set_progress_value(float value) {
    progress_value_ = value;
    controls_.porcentagem->setValue(bar_units(value));
}

void MainForm::show_message(std::string_view text, std::string_view title, ops::MessageIcon icon) {
    const std::string_view shown_title = title.empty() ? ops::kApplicationTitle : title;
    message_boxes_->show_message(*this, to_qstring(text), to_qstring(shown_title), icon);
}

ops::LockBits MainForm::lock_bits() const {
    const auto checked = [](const QCheckBox* box) { return box->checkState() == Qt::Checked; };
    return {checked(controls_.lb1), checked(controls_.lb2), checked(controls_.lb3)};
}

}  // namespace vantro::app
