// SPDX-License-Identifier: MIT
#include "win/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cmath>
#include <utility>

#include "form/close_question.h"
#include "platform/utf8.h"
#include "win/win_text.h"

namespace vantro::win {
namespace {

constexpr wchar_t kClassName[] = L"VantroMainForm";
// A dropped file's run, and the access hint's box, wait for these in the queue.
constexpr UINT kRunDroppedFile = WM_APP + 1;
constexpr UINT kShowAccessHint = WM_APP + 2;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

int bar_units(float value) {
    return static_cast<int>(std::lround(value));
}

HICON program_icon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"IDI_ICON1", IMAGE_ICON, size,
                                         size, LR_DEFAULTCOLOR));
}

void register_class() {
    const form::Rgb& white = form::main_form().background;
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = DefWindowProcW;  // until the window knows its object
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = CreateSolidBrush(RGB(white.red, white.green, white.blue));
    window_class.hIcon = program_icon(GetSystemMetrics(SM_CXICON));
    window_class.hIconSm = program_icon(GetSystemMetrics(SM_CXSMICON));
    window_class.lpszClassName = kClassName;
    RegisterClassExW(&window_class);  // fails harmlessly when already registered
}

}  // namespace

MainWindow::MainWindow(connection::Backend& backend)
    : access_hint_(backend, *this), attached_session_(backend.library(), event_loop_, *this) {
    register_class();
    std::string caption = tr(form::main_form().caption);
    if (const std::string description = backend.description(); !description.empty()) {
        caption += " — " + description;
    }
    window_ =
        CreateWindowExW(0, kClassName, wide(caption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&window_procedure));

    const UINT dpi = GetDpiForWindow(window_);
    RECT frame{0, 0, form::pixels_from_twips(form::main_form().client_width_twips, dpi),
               form::pixels_from_twips(form::main_form().client_height_twips, dpi)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, dpi);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    controls_ = std::make_unique<FormWindows>(window_, dpi);
    cmdlg1_ = std::make_unique<HexOpenDialog>(window_);
    for (const char* programming : {"Command6", "Command1"}) {
        HWND button = (*controls_)[programming];
        DragAcceptFiles(button, TRUE);
        SetWindowSubclass(button, &button_procedure, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    event_loop_.filter_with([this](const hid::HidEvent& event) {
        if (event.kind != hid::HidEventKind::Changed) {
            return;
        }
        if (auto warning = access_hint_.device_list_changed()) {
            pending_hint_ = std::move(warning);
            PostMessageW(window_, kShowAccessHint, 0, 0);
        }
    });
    attached_session_.attach();  // Form_Load
}

MainWindow::~MainWindow() {
    if (IsWindow(window_)) {
        attached_session_.detach();
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK MainWindow::window_procedure(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->handle(message, wparam, lparam)
                           : DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK MainWindow::button_procedure(HWND button, UINT message, WPARAM wparam,
                                              LPARAM lparam, UINT_PTR /*id*/, DWORD_PTR window) {
    if (message == WM_DROPFILES) {
        reinterpret_cast<MainWindow*>(window)->dropped(button, reinterpret_cast<HDROP>(wparam));
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(button, &button_procedure, 1);
    }
    return DefSubclassProc(button, message, wparam, lparam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wparam) == BN_CLICKED && lparam != 0) {
                clicked(reinterpret_cast<HWND>(lparam));
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<LRESULT>(controls_->paint_static(
                reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam)));
        case WM_DRAWITEM:
            controls_->draw_picture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_CLOSE:
            close();
            return 0;
        case kRunDroppedFile:
            if (auto drop = std::exchange(pending_drop_, std::nullopt);
                drop &&
                IsWindowEnabled((*controls_)["Command6"])) {  // an unplug may have come first
                carrega_hex(drop->first, drop->second);
            }
            return 0;
        case kShowAccessHint:
            if (auto text = std::exchange(pending_hint_, std::nullopt)) {
                show_message(*text, ops::kApplicationTitle, ops::MessageIcon::Warning);
            }
            return 0;
        default:
            return DefWindowProcW(window_, message, wparam, lparam);
    }
}

void MainWindow::clicked(HWND control) {
    const FormWindows& c = *controls_;
    if (control == c["Command6"]) {
        Command6_Click();
    } else if (control == c["Command1"]) {
        Command1_Click();
    } else if (control == c["Command2"]) {
        Command2_Click();
    } else if (control == c["Command4"]) {
        Command4_Click();
    }
}

void MainWindow::dropped(HWND button, HDROP drop) {
    std::wstring name;
    const UINT files = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    if (files == 1) {
        name.resize(DragQueryFileW(drop, 0, nullptr, 0));
        DragQueryFileW(drop, 0, name.data(), static_cast<UINT>(name.size() + 1));
    }
    DragFinish(drop);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    const bool folder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::string path = platform::utf8_from_utf16(name);
    if (files != 1 || folder || !form::names_hex_file(path) || !IsWindowEnabled(button)) {
        return;
    }
    const Programming programming = button == (*controls_)["Command6"]
                                        ? &ops::ProgrammerSession::Command6_Click
                                        : &ops::ProgrammerSession::Command1_Click;
    // Run from the queue once the drop is over, so its source is not kept waiting.
    pending_drop_.emplace(programming, std::move(path));
    PostMessageW(window_, kRunDroppedFile, 0, 0);
}

void MainWindow::Command6_Click() {
    choose_and_program(&ops::ProgrammerSession::Command6_Click);
}

void MainWindow::Command1_Click() {
    choose_and_program(&ops::ProgrammerSession::Command1_Click);
}

void MainWindow::Command2_Click() {
    run([this] { return session().Command2_Click(lock_bits()); });
}

void MainWindow::Command4_Click() {
    run([this] { return session().Command4_Click(); });
}

void MainWindow::choose_and_program(Programming programming) {
    // No dialog over a running operation: it would refuse the file anyway.
    if (!session().operation_running()) {
        carrega_hex(programming, cmdlg1_->choose_hex_file());
    }
}

void MainWindow::carrega_hex(Programming programming, const std::string& path) {
    run([this, programming, &path] { return (session().*programming)(path); });
}

void MainWindow::run(const std::function<ops::Outcome()>& operation) {
    operation();
    if (close_after_operation_) {
        close();
    }
}

void MainWindow::close() {
    if (!session().operation_running()) {
        attached_session_.detach();  // Form_Unload
        DestroyWindow(window_);
        return;
    }
    if (close_after_operation_) {
        return;
    }
    if (confirm_box(window_, form::close_question(session().running_operation()),
                    ops::kApplicationTitle)) {
        close_after_operation_ = true;
        session().cancel_operation();
        event_loop_.wake();
    }
}

void MainWindow::set_text(const char* control, std::string_view text) {
    SetWindowTextW((*controls_)[control], wide(text).c_str());
}

void MainWindow::set_record_label(int index, std::string_view text) {
    const char* const labels[] = {"lblmsg", "lblmsg1", "lblmsg2"};
    if (index >= 0 && index < 3) {
        set_text(labels[index], text);
    }
}

void MainWindow::set_status(std::string_view text) {
    set_text("sucesso", text);
}

void MainWindow::set_connection_text(std::string_view text) {
    set_text("estado", text);
}

void MainWindow::habilita_comandos(bool enabled) {
    for (const char* button : {"Command1", "Command2", "Command4", "Command6"}) {
        EnableWindow((*controls_)[button], enabled ? TRUE : FALSE);
    }
}

void MainWindow::set_progress_max(float max) {
    progress_max_ = max;
    SendMessageW((*controls_)["porcentagem"], PBM_SETRANGE32, 0, bar_units(max));
}

void MainWindow::set_progress_value(float value) {
    progress_value_ = value;
    SendMessageW((*controls_)["porcentagem"], PBM_SETPOS, static_cast<WPARAM>(bar_units(value)), 0);
}

void MainWindow::show_message(std::string_view text, std::string_view title,
                              ops::MessageIcon icon) {
    show_message_box(window_, text, title.empty() ? ops::kApplicationTitle : title, icon);
}

ops::LockBits MainWindow::lock_bits() const {
    const auto checked = [this](const char* box) {
        return SendMessageW((*controls_)[box], BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    return {checked("lb1"), checked("lb2"), checked("lb3")};
}

}  // namespace vantro::win
