// SPDX-License-Identifier: MIT
#include "win/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>
#include <vector>

#include "platform/utf8.h"
#include "win/win_text.h"

namespace vantro::win {
namespace {

constexpr wchar_t kClassName[] = L"VantroMainForm";
// Each task of later() waits for one of these in the queue.
constexpr UINT kRunLater = WM_APP + 1;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

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
    : controller_(backend.library(), event_loop_, *this) {
    register_class();
    window_ = CreateWindowExW(
        0, kClassName, wide(form::window_caption(backend.description())).c_str(), kStyle,
        CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
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
    event_loop_.give_dialog_keys_to(window_);
    controller_.watch_access(backend);
    controller_.Form_Load();
}

MainWindow::~MainWindow() {
    if (IsWindow(window_)) {
        controller_.Form_Unload();
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
                controller_.click(controls_->name_of(reinterpret_cast<HWND>(lparam)));
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
        case kRunLater:
            if (!later_.empty()) {
                const std::function<void()> task = std::move(later_.front());
                later_.pop_front();
                task();
            }
            return 0;
        default:
            return DefWindowProcW(window_, message, wparam, lparam);
    }
}

void MainWindow::dropped(HWND button, HDROP drop) {
    std::vector<form::DroppedFile> files(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
    for (UINT i = 0; i < files.size(); ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
        const DWORD attributes = GetFileAttributesW(name.c_str());
        const bool folder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        files[i] = {platform::utf8_from_utf16(name), !folder};
    }
    DragFinish(drop);
    controller_.drop(controls_->name_of(button), files);
}

void MainWindow::later(std::function<void()> task) {
    later_.push_back(std::move(task));
    PostMessageW(window_, kRunLater, 0, 0);
}

void MainWindow::close() {
    if (controller_.close_requested()) {
        DestroyWindow(window_);
    }
}

void MainWindow::set_text(std::string_view control, std::string_view text) {
    controls_->set_text(control, text);
}

void MainWindow::enable(std::string_view control, bool enabled) {
    EnableWindow((*controls_)[control], enabled ? TRUE : FALSE);
}

bool MainWindow::checked(std::string_view control) const {
    return SendMessageW((*controls_)[control], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::set_bar(int maximum, int value) {
    HWND bar = (*controls_)["porcentagem"];
    SendMessageW(bar, PBM_SETRANGE32, 0, maximum);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

}  // namespace vantro::win
