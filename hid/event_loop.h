// SPDX-License-Identifier: MIT
#pragma once
// The owner's mailbox for HID events: the library posts to it from any thread,
// and the events reach the owner's thread in order, during its waits or its own
// event handling.

#include <functional>

#include "hid/event_pump.h"
#include "hid/hid_library.h"

namespace vantro::hid {

class EventLoop : public EventPump {
public:
    using Delivery = std::function<void(const HidEvent&)>;
    // Where every event goes, on the owner's thread; set before the first is posted.
    virtual void deliver_to(Delivery delivery) = 0;
    // A poster for HidLibrary::Connect that feeds this loop. Thread-safe.
    virtual EventPoster poster() = 0;
    // Something a wait looks at has changed without an event (the operation was
    // cancelled): ends the sleep of the current process_pending_events.
    virtual void wake() = 0;
};

}  // namespace vantro::hid
