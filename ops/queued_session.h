// SPDX-License-Identifier: MIT
#pragma once
// A session for a front-end without a GUI loop: the library's events go to a
// blocking queue, from there through the bridge to the session's handlers.

#include <functional>

#include "hid/event_queue.h"
#include "hid/hid_bridge.h"
#include "ops/programmer_session.h"

namespace vantro::ops {

class QueuedSession {
public:
    // before_dispatch, when given, sees each event just before the bridge does:
    // the owner's own handling of it.
    QueuedSession(hid::HidLibrary& library, Display& display,
                  std::function<void(const hid::HidEvent&)> before_dispatch = {});
    // Detaches, if still attached.
    ~QueuedSession();
    QueuedSession(const QueuedSession&) = delete;
    QueuedSession& operator=(const QueuedSession&) = delete;

    // Connects the library and handles the devices it announced as present.
    bool attach();
    bool detach() { return bridge_.HidDetach(); }
    // Handles what is pending, without waiting.
    void pump() { queue_.process_pending_events(std::chrono::steady_clock::now()); }

    ProgrammerSession& session() { return session_; }
    hid::EventQueue& queue() { return queue_; }
    hid::HidBridge& bridge() { return bridge_; }

private:
    std::function<void(const hid::HidEvent&)> before_dispatch_;
    hid::EventQueue queue_;
    ProgrammerSession session_;
    hid::HidBridge bridge_;
};

}  // namespace vantro::ops
