// SPDX-License-Identifier: MIT
#pragma once
// The waits of the exchanges, on the Qt event loop.

#include <QEventLoop>

#include "hid/event_pump.h"

namespace vantro::app {

class QtEventPump : public hid::EventPump {
public:
    // Handles every pending event; if none of them was one a wait looks at, blocks
    // in a local event loop until wake() or the deadline.
    void process_pending_events(Deadline deadline) override;
    // Something a wait looks at has changed: a HID event was handled or the
    // operation was cancelled. Ends the blocking part of the current call.
    void wake();

private:
    void wait_for_wake(Deadline deadline);

    QEventLoop* blocking_loop_ = nullptr;
    bool woken_ = false;
};

}  // namespace vantro::app
