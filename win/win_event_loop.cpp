// SPDX-License-Identifier: MIT
#include "win/win_event_loop.h"

#include <chrono>

namespace vantro::win {
namespace {

constexpr wchar_t kClassName[] = L"VantroHidEvents";

}  // namespace

WinEventLoop::WinEventLoop() {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = &WinEventLoop::window_procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kClassName;
    RegisterClassExW(&window_class);  // fails harmlessly when already registered
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              window_class.hInstance, this);
}

WinEventLoop::~WinEventLoop() {
    // Events still queued for the window go with it.
    DestroyWindow(window_);
}

hid::EventPoster WinEventLoop::poster() {
    return [window = window_](const hid::HidEvent& event) {
        PostMessageW(window, kHidNotifyMessage, static_cast<WPARAM>(event.kind),
                     static_cast<LPARAM>(event.handle));
    };
}

LRESULT CALLBACK WinEventLoop::window_procedure(HWND window, UINT message, WPARAM wparam,
                                                LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    } else if (message == kHidNotifyMessage) {
        auto* loop = reinterpret_cast<WinEventLoop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (loop != nullptr) {
            loop->deliver(
                {static_cast<hid::HidEventKind>(wparam), static_cast<hid::DeviceHandle>(lparam)});
        }
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void WinEventLoop::deliver(const hid::HidEvent& event) {
    if (delivery_) {
        delivery_(event);
    }
    woken_ = true;
}

void WinEventLoop::dispatch_pending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the program's own message loop, once the operation is over.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void WinEventLoop::dispatch(MSG& message) {
    if (dialog_ != nullptr && IsDialogMessageW(dialog_, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void WinEventLoop::run_while_open(HWND window) {
    MSG message;
    while (IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        dispatch(message);
    }
}

void WinEventLoop::process_pending_events(Deadline deadline) {
    woken_ = false;
    dispatch_pending();
    while (!woken_) {
        // Rounded up, so the deadline has passed when the wait ends.
        const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (remaining.count() <= 0) {
            return;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(remaining.count()), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
        dispatch_pending();
    }
}

}  // namespace vantro::win
