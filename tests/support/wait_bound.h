// SPDX-License-Identifier: MIT
#pragma once
// A bound on every wait of a test: a wait that forgets its own time limit is
// stopped as an interrupt would stop it, and the test fails saying so, instead
// of hanging until ctest's time-out.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>

#include "hid/event_queue.h"
#include "protocol/command_link.h"

namespace vantro::testing {

inline constexpr std::chrono::seconds kWaitBound{20};

class WaitBound {
public:
    WaitBound(protocol::CommandLink& link, hid::EventQueue& queue,
              std::chrono::milliseconds bound = kWaitBound)
        : watchdog_([this, &queue, bound](std::stop_token finished) {
              std::mutex mutex;
              std::unique_lock lock(mutex);
              std::condition_variable_any().wait_for(lock, finished, bound, [] { return false; });
              if (finished.stop_requested()) {
                  return;
              }
              ADD_FAILURE() << "a wait outlived the test's bound of "
                            << std::chrono::duration_cast<std::chrono::seconds>(bound).count()
                            << " s: it ignored its own time limit";
              expired_.request_stop();
              queue.wake();
          }) {
        link.stop_on(expired_.get_token());
    }

private:
    std::stop_source expired_;
    std::jthread watchdog_;  // last: it stops and joins before expired_ goes
};

}  // namespace vantro::testing
