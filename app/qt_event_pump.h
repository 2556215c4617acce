#pragma once
// The waits of the exchanges, on the Qt event loop.

#include <QEventLoop>
#include <functional>

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
    // Runs at the end of every call, after the pending events were handled. An
    // owner that must stop the running operation repeats its cancel here, so that
    // a cancel is not lost when an answer arrives in the same batch.
    void set_after_events(std::function<void()> hook) { after_events_ = std::move(hook); }

private:
    void wait_for_wake(Deadline deadline);

    std::function<void()> after_events_;
    QEventLoop* blocking_loop_ = nullptr;
    bool woken_ = false;
};

}  // namespace vantro::app
