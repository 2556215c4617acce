// SPDX-License-Identifier: MIT
#pragma once
// A session wired as the CLI wires it, on a library and a display the test holds.

#include <chrono>
#include <functional>

#include "hid/event_queue.h"
#include "ops/attached_session.h"
#include "tests/support/recording_display.h"
#include "tests/support/wait_bound.h"

namespace vantro::testing {

// An event queue that lets the test act on each event just before the session's
// handlers see it, as a front-end's own handling would.
class HookedEventQueue : public hid::EventQueue {
public:
    std::function<void(const hid::HidEvent&)> before_dispatch;

    void deliver_to(Delivery delivery) override {
        EventQueue::deliver_to([this, delivery = std::move(delivery)](const hid::HidEvent& e) {
            if (before_dispatch) {
                before_dispatch(e);
            }
            delivery(e);
        });
    }
};

template <class Library>
struct SessionRig {
    template <class... Args>
    explicit SessionRig(Args&&... args) : library(std::forward<Args>(args)...) {
        session.set_timeout(std::chrono::milliseconds(300));
        wired.attach();
        wired.pump();
    }

    void pump() { wired.pump(); }

    Library library;
    RecordingDisplay display;
    HookedEventQueue queue;
    ops::AttachedSession wired{library, queue, display};
    ops::ProgrammerSession& session = wired.session();
    WaitBound bound{session.link(), queue};
};

}  // namespace vantro::testing
