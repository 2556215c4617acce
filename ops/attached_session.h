// SPDX-License-Identifier: MIT
#pragma once
// A session attached to a HID library, as both front-ends use it: the library's
// events go to the owner's event loop, from there through the bridge to the
// session's handlers, on the owner's thread.

#include "hid/event_loop.h"
#include "hid/hid_bridge.h"
#include "ops/programmer_session.h"

namespace vantro::ops {

class AttachedSession {
public:
    // The loop's events go to this session from now on; library, loop and display
    // must outlive it.
    AttachedSession(hid::HidLibrary& library, hid::EventLoop& loop, Display& display);
    // Detaches, if still attached, and leaves the loop delivering nowhere.
    ~AttachedSession();
    AttachedSession(const AttachedSession&) = delete;
    AttachedSession& operator=(const AttachedSession&) = delete;

    // Connects the library; the devices it announces as present are handled when
    // the loop next runs (pump() does it at once).
    bool attach() { return bridge_.HidAttach(loop_.poster()); }
    // Disconnects; events still on their way call no handler.
    bool detach() { return bridge_.HidDetach(); }
    bool attached() const { return bridge_.attached(); }
    // Handles what is pending, without waiting.
    void pump() { loop_.process_pending_events(std::chrono::steady_clock::now()); }

    ProgrammerSession& session() { return session_; }

private:
    hid::EventLoop& loop_;
    ProgrammerSession session_;
    hid::HidBridge bridge_;
};

}  // namespace vantro::ops
