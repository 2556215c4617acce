// SPDX-License-Identifier: MIT
#pragma once
// MainForm: the program's only window. It shows what the operations report and
// hands clicks and HID events to the session; the operations live in the core.

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "app/form_controls.h"
#include "app/qt_event_loop.h"
#include "app/window_dialogs.h"
#include "hid/hid_library.h"
#include "ops/attached_session.h"
#include "ops/display.h"

namespace vantro::app {

class MainForm : public QWidget, public ops::Display {
public:
    // Creates the controls and then runs Form_Load: the library is attached
    // before the window is first shown.
    explicit MainForm(hid::HidLibrary& library, QWidget* parent = nullptr);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    // Attaches the HID library; its events then reach the session as posted events.
    void Form_Load() { attached_session_.attach(); }
    // Detaches the HID library; events still queued call no handler.
    void Form_Unload() { attached_session_.detach(); }

    // filter sees each HID event (a HidNotifyEvent) before the session's handlers do.
    void filter_hid_events(QObject& filter) { event_loop_.installEventFilter(&filter); }

    // Adds what the backend says of itself to the caption, after " — " (once).
    void describe_backend(std::string_view description);

    void Command6_Click();  // "Gravar FLASH"
    void Command1_Click();  // "Gravar EEPROM"
    void Command2_Click();  // "Gravar LOCK BITS"
    void Command4_Click();  // "Apagar Memórias"

    // The window's path in: a FLASH (Command6) or EEPROM (Command1) run on this HEX
    // file, whether chosen in the dialog on a click or dropped on the button.
    using Programming = ops::Outcome (ops::ProgrammerSession::*)(const std::string& hex_path);
    void carrega_hex(Programming programming, const std::string& path);

    // The display the operations write.
    void set_record_label(int index, std::string_view text) override;
    void set_status(std::string_view text) override;
    void set_connection_text(std::string_view text) override;
    void habilita_comandos(bool enabled) override;
    float progress_min() const override { return progress_min_; }
    float progress_max() const override { return progress_max_; }
    float progress_value() const override { return progress_value_; }
    void set_progress_max(float max) override;
    void set_progress_value(float value) override;
    void show_message(std::string_view text, std::string_view title,
                      ops::MessageIcon icon) override;

    // Scripted dialogs for tests; each must outlive the window.
    void replace_file_chooser(form::FileChooser& chooser) { file_chooser_ = &chooser; }
    void replace_message_boxes(MessageBoxes& boxes) { message_boxes_ = &boxes; }

    const FormControls& controls() const { return controls_; }
    QFileDialog& cmdlg1() { return cmdlg1_.cmdlg1(); }
    ops::ProgrammerSession& session() { return attached_session_.session(); }
    // How the last click's operation ended.
    std::optional<ops::Outcome> last_outcome() const { return last_outcome_; }

protected:
    // While an operation waits, asks first; a confirmed close cancels the
    // operation and closes once its click handler has returned.
    void closeEvent(QCloseEvent* event) override;

private:
    void run(const std::function<ops::Outcome()>& operation);
    // A click on a programming button: the dialog chooses the file.
    void choose_and_program(Programming programming, hex::Memory mode);
    // The lock bits the check boxes lb1..lb3 set: only a checked box counts, not a grayed one.
    ops::LockBits lock_bits() const;

    FormControls controls_;
    HexFileDialog cmdlg1_;
    QtMessageBoxes qt_message_boxes_;
    form::FileChooser* file_chooser_ = &cmdlg1_;
    MessageBoxes* message_boxes_ = &qt_message_boxes_;
    QtEventLoop event_loop_;
    // Detaches in its destructor, before the loop and the controls go.
    ops::AttachedSession attached_session_;
    float progress_min_ = 0.0f;
    float progress_max_ = 100.0f;
    float progress_value_ = 0.0f;
    bool close_after_operation_ = false;
    std::optional<ops::Outcome> last_outcome_;
};

}  // namespace vantro::app
