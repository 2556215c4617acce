// SPDX-License-Identifier: MIT
#pragma once
// MainForm as a native window, rendered with Win32 controls from the form's
// table. What it does is the window controller's; this is its surface.

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "connection/backend.h"
#include "form/window_controller.h"
#include "win/form_windows.h"
#include "win/win_dialogs.h"
#include "win/win_event_loop.h"

namespace vantro::win {

class MainWindow : public form::WindowSurface {
public:
    // Creates the window and its controls, hidden, and then runs Form_Load: the
    // backend's library is attached before the window is first shown.
    explicit MainWindow(connection::Backend& backend);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    form::WindowController& controller() { return controller_; }
    // The program's message loop, until the window is closed.
    void run_until_closed() { event_loop_.run_while_open(window_); }

    void set_text(std::string_view control, std::string_view text) override;
    void enable(std::string_view control, bool enabled) override;
    bool checked(std::string_view control) const override;
    void set_bar(int maximum, int value) override;
    std::string choose_hex_file(const form::OpenDialog& dialog) override {
        return cmdlg1_->choose_hex_file(dialog);
    }
    bool ask(std::string_view question, std::string_view title) override {
        return confirm_box(window_, question, title);
    }
    void show_message(std::string_view text, std::string_view title,
                      ops::MessageIcon icon) override {
        show_message_box(window_, text, title, icon);
    }
    void later(std::function<void()> task) override;
    void close_window() override { close(); }

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam);
    static LRESULT CALLBACK button_procedure(HWND button, UINT message, WPARAM wparam,
                                             LPARAM lparam, UINT_PTR id, DWORD_PTR window);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    // The files dropped on a button, handed to the controller.
    void dropped(HWND button, HDROP drop);
    // Destroys the window when the controller lets it close.
    void close();

    HWND window_ = nullptr;
    std::unique_ptr<FormWindows> controls_;
    std::unique_ptr<HexOpenDialog> cmdlg1_;
    WinEventLoop event_loop_;
    std::deque<std::function<void()>> later_;
    // Detaches in its destructor, before the loop and the controls go.
    form::WindowController controller_;
};

}  // namespace vantro::win
