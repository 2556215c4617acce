// SPDX-License-Identifier: MIT
#pragma once
// How a wait lets the owner's thread handle pending events.

#include <chrono>

namespace vantro::hid {

class EventPump {
public:
    using Deadline = std::chrono::steady_clock::time_point;
    virtual ~EventPump() = default;
    // Handles every pending event. When none is pending, sleeps until one
    // arrives or the deadline passes; never spins.
    virtual void process_pending_events(Deadline deadline) = 0;
};

}  // namespace vantro::hid
