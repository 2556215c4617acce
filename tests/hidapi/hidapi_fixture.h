// SPDX-License-Identifier: MIT
#pragma once
// What the hidapi backend tests share: an event recorder and a fixture that checks
// every handle is closed and hidapi released once the library is gone.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "hid/hid_library.h"
#include "hidapi/hidapi_library.h"
#include "tests/hidapi/fake_hidapi.h"

namespace vantro::testing {

// Records the events a library posts, from any thread, and lets a test wait for one.
class EventRecorder {
public:
    hid::EventPoster poster() {
        return [this](const hid::HidEvent& event) {
            {
                std::lock_guard lock(mutex_);
                events_.push_back(event);
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

    std::vector<hid::HidEvent> events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    hid::HidEvent at(std::size_t index) const {
        std::lock_guard lock(mutex_);
        return events_.at(index);
    }
    std::size_t size() const {
        std::lock_guard lock(mutex_);
        return events_.size();
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::vector<hid::HidEvent> events_;
};

inline constexpr const char* kProgrammerPath = "/dev/hidraw0";
inline constexpr const char* kOtherPath = "/dev/hidraw1";

// The devices the backend opens: the programmer's ids, as the programs give them.
inline constexpr hid::ProgrammerIds kProgrammerIds{protocol::PROG_VID, protocol::PROG_PID};

inline protocol::Report command_report(std::uint8_t code) {
    protocol::Report report{};
    report[1] = code;
    return report;
}

class HidapiBackendTest : public ::testing::Test {
protected:
    hid::HidapiLibrary& connect(std::optional<std::string> device_path = std::nullopt) {
        library_ = std::make_unique<hid::HidapiLibrary>(kProgrammerIds, std::move(device_path));
        EXPECT_TRUE(library_->Connect(recorder_.poster()));
        return *library_;
    }

    void TearDown() override {
        library_.reset();
        EXPECT_EQ(fake_hidapi::open_handle_count(), 0u) << "a handle was left open";
        EXPECT_EQ(fake_hidapi::initialised_count(), 0) << "hid_init without hid_exit";
        fake_hidapi::reset();
    }

    EventRecorder recorder_;
    std::unique_ptr<hid::HidapiLibrary> library_;
};

}  // namespace vantro::testing
