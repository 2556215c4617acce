// SPDX-License-Identifier: MIT
#pragma once
// MainForm: the program's only window, rendered with Qt from the form's table.
// What it does is the window controller's; this is its surface.

#include <QWidget>
#include <string>

#include "app/form_controls.h"
#include "app/qt_event_loop.h"
#include "app/window_dialogs.h"
#include "form/window_controller.h"
#include "hid/hid_library.h"

namespace vantro::app {

class MainForm : public QWidget, public form::WindowSurface {
public:
    // Creates the controls and then runs Form_Load: the library is attached
    // before the window is first shown.
    explicit MainForm(hid::HidLibrary& library, QWidget* parent = nullptr);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    // Adds what the backend says of itself to the caption.
    void describe_backend(std::string_view description);

    form::WindowController& controller() { return controller_; }
    const FormControls& controls() const { return controls_; }
    QFileDialog& cmdlg1() { return cmdlg1_.cmdlg1(); }
    // Scripted boxes for tests; they must outlive the window.
    void replace_message_boxes(MessageBoxes& boxes) { message_boxes_ = &boxes; }

    void set_text(std::string_view control, std::string_view text) override;
    void enable(std::string_view control, bool enabled) override;
    bool checked(std::string_view control) const override;
    void set_bar(int maximum, int value) override;
    std::string choose_hex_file(const form::OpenDialog& dialog) override {
        return cmdlg1_.choose_hex_file(dialog);
    }
    bool ask(std::string_view question, std::string_view title) override;
    void show_message(std::string_view text, std::string_view title,
                      ops::MessageIcon icon) override;
    void later(std::function<void()> task) override;
    void close_window() override { close(); }

protected:
    // Closes only when the controller lets it.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget& control(std::string_view name) const;

    FormControls controls_;
    HexFileDialog cmdlg1_;
    QtMessageBoxes qt_message_boxes_;
    MessageBoxes* message_boxes_ = &qt_message_boxes_;
    QtEventLoop event_loop_;
    // Detaches in its destructor, before the loop and the controls go.
    form::WindowController controller_;
};

}  // namespace vantro::app
