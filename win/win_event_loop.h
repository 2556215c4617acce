// SPDX-License-Identifier: MIT
#pragma once
// The HID events and the waits of the exchanges, on the Win32 message loop: each
// event is posted as a message to a window of the loop's own, so it keeps its
// order among the window's other messages.

#include <windows.h>

#include <functional>

#include "hid/event_loop.h"

namespace vantro::win {

// The message that carries a HID event: wParam its kind, lParam its handle.
inline constexpr UINT kHidNotifyMessage = WM_APP + 200;

class WinEventLoop : public hid::EventLoop {
public:
    // Makes the message-only window the events are posted to; on the calling thread,
    // which must be the one that handles them.
    WinEventLoop();
    ~WinEventLoop() override;
    WinEventLoop(const WinEventLoop&) = delete;
    WinEventLoop& operator=(const WinEventLoop&) = delete;

    void deliver_to(Delivery delivery) override { delivery_ = std::move(delivery); }
    // The tab key moves between form's controls, as in a dialog, in every message
    // loop of the window: the program's, and each wait's.
    void give_dialog_keys_to(HWND form) { dialog_ = form; }
    // The program's message loop, until window is gone or the program quits.
    void run_while_open(HWND window);
    // Posts each event to the loop's window. Thread-safe, and posted messages keep their order.
    hid::EventPoster poster() override;

    // Dispatches every pending message; if none of them was a HID event and nothing
    // called wake(), waits for more messages until one of those or the deadline.
    void process_pending_events(Deadline deadline) override;
    // Something a wait looks at has changed (the operation was cancelled): ends
    // the waiting part of the current call.
    void wake() override { woken_ = true; }

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam);
    void deliver(const hid::HidEvent& event);
    // Dispatches what is queued, as the window's own message loop would.
    void dispatch_pending();
    void dispatch(MSG& message);

    HWND window_ = nullptr;
    HWND dialog_ = nullptr;
    Delivery delivery_;
    bool woken_ = false;
};

}  // namespace vantro::win
