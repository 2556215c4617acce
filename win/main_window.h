// SPDX-License-Identifier: MIT
#pragma once
// MainForm as a native window: it shows what the operations report and hands
// clicks, dropped files and HID events to the session; the operations live in
// the core.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "connection/backend.h"
#include "form/access_hint.h"
#include "ops/attached_session.h"
#include "ops/display.h"
#include "win/form_windows.h"
#include "win/win_dialogs.h"
#include "win/win_event_loop.h"

namespace vantro::win {

class MainWindow : public ops::Display {
public:
    // Creates the window and its controls, hidden, and then runs Form_Load: the
    // backend's library is attached before the window is first shown.
    explicit MainWindow(connection::Backend& backend);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    ops::ProgrammerSession& session() { return attached_session_.session(); }

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
    float progress_min() const override { return 0.0f; }
    float progress_max() const override { return progress_max_; }
    float progress_value() const override { return progress_value_; }
    void set_progress_max(float max) override;
    void set_progress_value(float value) override;
    void show_message(std::string_view text, std::string_view title,
                      ops::MessageIcon icon) override;

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam);
    static LRESULT CALLBACK button_procedure(HWND button, UINT message, WPARAM wparam,
                                             LPARAM lparam, UINT_PTR id, DWORD_PTR window);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void clicked(HWND control);
    // A file dropped on a programming button: taken when it is one *.hex or *.ihx
    // file and the button is enabled, and run once the drop is over.
    void dropped(HWND button, HDROP drop);
    void run(const std::function<ops::Outcome()>& operation);
    // A click on a programming button: the dialog chooses the file.
    void choose_and_program(Programming programming);
    // The lock bits the check boxes lb1..lb3 set: only a checked box counts, not a grayed one.
    ops::LockBits lock_bits() const;
    // While an operation waits, asks first; a confirmed close cancels the
    // operation and closes once its click handler has returned.
    void close();
    void set_text(const char* control, std::string_view text);

    HWND window_ = nullptr;
    std::unique_ptr<FormWindows> controls_;
    std::unique_ptr<HexOpenDialog> cmdlg1_;
    WinEventLoop event_loop_;
    form::AccessHint access_hint_;
    // Detaches in its destructor, before the loop and the controls go.
    ops::AttachedSession attached_session_;
    std::optional<std::pair<Programming, std::string>> pending_drop_;
    std::optional<std::string> pending_hint_;
    float progress_max_ = form::kProgressStartMaximum;
    float progress_value_ = 0.0f;
    bool close_after_operation_ = false;
};

}  // namespace vantro::win
