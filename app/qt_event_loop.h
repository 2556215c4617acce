// SPDX-License-Identifier: MIT
#pragma once
// The HID events and the waits of the exchanges, on the Qt event loop: each
// event is posted as a Qt event, so it keeps its order among the window's own.

#include <QEvent>
#include <QEventLoop>
#include <QObject>

#include "hid/event_loop.h"

namespace vantro::app {

// A HID event on its way to the owner's thread; an event filter on the loop sees
// it before the loop delivers it.
class HidNotifyEvent : public QEvent {
public:
    explicit HidNotifyEvent(const hid::HidEvent& event) : QEvent(type()), event_(event) {}
    static QEvent::Type type();
    const hid::HidEvent& hid_event() const { return event_; }

private:
    hid::HidEvent event_;
};

class QtEventLoop : public QObject, public hid::EventLoop {
public:
    void deliver_to(Delivery delivery) override { delivery_ = std::move(delivery); }
    // Posts each event to this object. Thread-safe, and posted events keep their order.
    hid::EventPoster poster() override;

    // Handles every pending event; if none of them was one a wait looks at, blocks
    // in a local event loop until wake() or the deadline.
    void process_pending_events(Deadline deadline) override;
    // Something a wait looks at has changed: a HID event was handled or the
    // operation was cancelled. Ends the blocking part of the current call.
    void wake() override;

protected:
    // Delivers a posted HID event, then wakes the wait.
    void customEvent(QEvent* event) override;

private:
    void wait_for_wake(Deadline deadline);

    Delivery delivery_;
    QEventLoop* blocking_loop_ = nullptr;
    bool woken_ = false;
};

}  // namespace vantro::app
