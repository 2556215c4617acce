// SPDX-License-Identifier: MIT
#pragma once
// A session wired as the CLI wires it, on a library and a display the test holds.

#include <chrono>
#include <functional>

#include "ops/queued_session.h"
#include "tests/support/recording_display.h"

namespace vantro::testing {

template <class Library>
struct SessionRig {
    template <class... Args>
    explicit SessionRig(Args&&... args) : library(std::forward<Args>(args)...) {
        session.set_timeout(std::chrono::milliseconds(300));
        wired.attach();
    }

    void pump() { wired.pump(); }

    Library library;
    RecordingDisplay display;
    // Runs before each event reaches the bridge, as a front-end's own handling would.
    std::function<void(const hid::HidEvent&)> before_dispatch;
    ops::QueuedSession wired{library, display, [this](const hid::HidEvent& e) {
                                 if (before_dispatch) {
                                     before_dispatch(e);
                                 }
                             }};
    ops::ProgrammerSession& session = wired.session();
    hid::EventQueue& queue = wired.queue();
    hid::HidBridge& bridge = wired.bridge();
};

}  // namespace vantro::testing
