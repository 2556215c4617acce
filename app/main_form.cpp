// SPDX-License-Identifier: MIT
#include "app/main_form.h"

#include <QCloseEvent>
#include <QTimer>

#include "app/hex_drop_target.h"
#include "app/qt_text.h"

namespace vantro::app {

MainForm::MainForm(hid::HidLibrary& library, QWidget* parent)
    : QWidget(parent),
      controls_(create_form_controls(*this)),
      cmdlg1_(*this),
      controller_(library, event_loop_, *this) {
    for (QPushButton* button :
         {controls_.Command6, controls_.Command1, controls_.Command2, controls_.Command4}) {
        connect(button, &QPushButton::clicked, this,
                [this, button] { controller_.click(button->objectName().toStdString()); });
    }
    new HexDropTarget(*controls_.Command6, controller_);
    new HexDropTarget(*controls_.Command1, controller_);
    controller_.Form_Load();
}

void MainForm::describe_backend(std::string_view description) {
    setWindowTitle(to_qstring(form::window_caption(description)));
}

QWidget& MainForm::control(std::string_view name) const {
    auto* found = findChild<QWidget*>(to_qstring(name));
    Q_ASSERT(found != nullptr);
    return *found;
}

void MainForm::set_text(std::string_view name, std::string_view text) {
    QWidget& widget = control(name);
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(to_qstring(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(to_qstring(text));
    } else if (auto* frame = qobject_cast<QGroupBox*>(&widget)) {
        frame->setTitle(to_qstring(text));
    }
}

void MainForm::enable(std::string_view name, bool enabled) {
    control(name).setEnabled(enabled);
}

bool MainForm::checked(std::string_view name) const {
    const auto* box = qobject_cast<const QCheckBox*>(&control(name));
    return box != nullptr && box->checkState() == Qt::Checked;
}

void MainForm::set_bar(int maximum, int value) {
    controls_.porcentagem->setMaximum(maximum);
    controls_.porcentagem->setValue(value);
}

bool MainForm::ask(std::string_view question, std::string_view title) {
    return message_boxes_->confirm(*this, to_qstring(question), to_qstring(title));
}

void MainForm::show_message(std::string_view text, std::string_view title, ops::MessageIcon icon) {
    message_boxes_->show_message(*this, to_qstring(text), to_qstring(title), icon);
}

void MainForm::later(std::function<void()> task) {
    QTimer::singleShot(0, this, std::move(task));
}

void MainForm::closeEvent(QCloseEvent* event) {
    if (controller_.close_requested()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace vantro::app
