#pragma once
// A session wired as a front-end wires it: library → event queue → bridge → session.

#include <chrono>
#include <functional>

#include "hid/event_queue.h"
#include "hid/hid_bridge.h"
#include "ops/programmer_session.h"
#include "tests/support/recording_display.h"

namespace vantro::testing {

template <class Library>
struct SessionRig {
    template <class... Args>
    explicit SessionRig(Args&&... args) : library(std::forward<Args>(args)...) {
        bridge_ref = &bridge;
        session.set_timeout(std::chrono::milliseconds(300));
        bridge.HidAttach(queue.poster());
        pump();
    }
    ~SessionRig() { bridge.HidDetach(); }

    void pump() { queue.process_pending_events(std::chrono::steady_clock::now()); }

    Library library;
    RecordingDisplay display;
    hid::HidBridge* bridge_ref = nullptr;
    // Runs before each event reaches the bridge, as a front-end's own handling would.
    std::function<void(const hid::HidEvent&)> before_dispatch;
    hid::EventQueue queue{[this](const hid::HidEvent& e) {
        if (before_dispatch) {
            before_dispatch(e);
        }
        bridge_ref->HidWindowProc(e);
    }};
    ops::ProgrammerSession session{library, queue, display};
    hid::HidBridge bridge{library, session};
};

}  // namespace vantro::testing
