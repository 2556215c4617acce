// SPDX-License-Identifier: MIT
#pragma once
// Records the events a HID library posts, from any thread, with their arrival
// times, and lets a test wait for them.

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

#include "hid/hid_library.h"

namespace vantro::testing {

class EventRecorder {
public:
    using Clock = std::chrono::steady_clock;

    hid::EventPoster poster() {
        return [this](const hid::HidEvent& event) {
            {
                std::lock_guard lock(mutex_);
                events_.push_back(event);
                times_.push_back(Clock::now());
            }
            posted_.notify_all();
        };
    }

    // The index of the first event after `after` that matches, waiting up to 5 s for it.
    std::optional<std::size_t> wait_for(hid::HidEventKind kind, std::size_t after = 0) {
        std::unique_lock lock(mutex_);
        std::optional<std::size_t> found;
        posted_.wait_for(lock, std::chrono::seconds(5), [&] {
            for (std::size_t i = after; i < events_.size(); ++i) {
                if (events_[i].kind == kind) {
                    found = i;
                    return true;
                }
            }
            return false;
        });
        return found;
    }

    // Waits up to 5 s until `count` events of this kind were posted.
    bool wait_for_count(hid::HidEventKind kind, std::size_t count) {
        std::unique_lock lock(mutex_);
        return posted_.wait_for(lock, std::chrono::seconds(5), [&] {
            return static_cast<std::size_t>(
                       std::ranges::count(events_, kind, &hid::HidEvent::kind)) >= count;
        });
    }

    // Waits up to `limit` until `count` events of any kind were posted.
    bool wait_for_total(std::size_t count,
                        std::chrono::milliseconds limit = std::chrono::seconds(5)) {
        std::unique_lock lock(mutex_);
        return posted_.wait_for(lock, limit, [&] { return events_.size() >= count; });
    }

    std::vector<hid::HidEvent> events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    std::vector<Clock::time_point> times() const {
        std::lock_guard lock(mutex_);
        return times_;
    }
    hid::HidEvent at(std::size_t index) const {
        std::lock_guard lock(mutex_);
        return events_.at(index);
    }
    std::size_t size() const {
        std::lock_guard lock(mutex_);
        return events_.size();
    }
    void clear() {
        std::lock_guard lock(mutex_);
        events_.clear();
        times_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::vector<hid::HidEvent> events_;
    std::vector<Clock::time_point> times_;
};

}  // namespace vantro::testing
