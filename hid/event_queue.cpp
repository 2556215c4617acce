// SPDX-License-Identifier: MIT
#include "hid/event_queue.h"

namespace vantro::hid {

void EventQueue::post(const HidEvent& event) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    arrived_.notify_one();
}

void EventQueue::wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    arrived_.notify_one();
}

EventPoster EventQueue::poster() {
    return [this](const HidEvent& event) { post(event); };
}

void EventQueue::process_pending_events(Deadline deadline) {
    std::deque<HidEvent> batch;
    {
        std::unique_lock lock(mutex_);
        // A wait whose deadline has passed still enters the kernel and sleeps for
        // its timer slack (about 50 us); every exchange starts with such a drain.
        if (events_.empty() && !woken_ && deadline > std::chrono::steady_clock::now()) {
            arrived_.wait_until(lock, deadline, [this] { return !events_.empty() || woken_; });
        }
        woken_ = false;
        batch.swap(events_);
    }
    // Dispatch outside the lock: a handler may cause new events to be posted.
    for (const HidEvent& event : batch) {
        delivery_(event);
    }
}

}  // namespace vantro::hid
