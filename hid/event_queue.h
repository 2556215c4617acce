// SPDX-License-Identifier: MIT
#pragma once
// A blocking queue of HID events: the owner's mailbox where there is no GUI loop.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "hid/event_loop.h"

namespace vantro::hid {

class EventQueue : public EventLoop {
public:
    explicit EventQueue(Delivery delivery = {}) : delivery_(std::move(delivery)) {}

    void deliver_to(Delivery delivery) override { delivery_ = std::move(delivery); }

    // Thread-safe; the event is dispatched later by process_pending_events.
    void post(const HidEvent& event);
    // Thread-safe; ends the sleep of process_pending_events, as an event would.
    void wake() override;
    EventPoster poster() override;

    void process_pending_events(Deadline deadline) override;

private:
    Delivery delivery_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<HidEvent> events_;
    bool woken_ = false;
};

}  // namespace vantro::hid
