// SPDX-License-Identifier: MIT
#pragma once
// A blocking queue of HID events: the owner's mailbox where there is no GUI loop.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "hid/event_pump.h"
#include "hid/hid_library.h"

namespace vantro::hid {

class EventQueue : public EventPump {
public:
    using Dispatch = std::function<void(const HidEvent&)>;
    explicit EventQueue(Dispatch dispatch) : dispatch_(std::move(dispatch)) {}

    // Thread-safe; the event is dispatched later by process_pending_events.
    void post(const HidEvent& event);
    // Thread-safe; ends the sleep of process_pending_events, as an event would.
    void wake();
    // A poster for HidLibrary::Connect that feeds this queue.
    EventPoster poster();

    void process_pending_events(Deadline deadline) override;

private:
    Dispatch dispatch_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<HidEvent> events_;
    bool woken_ = false;
};

}  // namespace vantro::hid
