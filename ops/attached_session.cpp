// SPDX-License-Identifier: MIT
#include "ops/attached_session.h"

namespace vantro::ops {

AttachedSession::AttachedSession(hid::HidLibrary& library, hid::EventLoop& loop, Display& display)
    : loop_(loop), session_(library, loop, display), bridge_(library, session_) {
    loop_.deliver_to([this](const hid::HidEvent& event) { bridge_.HidWindowProc(event); });
}

AttachedSession::~AttachedSession() {
    if (bridge_.attached()) {
        bridge_.HidDetach();
    }
    // The loop may outlive this session: what it still holds goes nowhere.
    loop_.deliver_to([](const hid::HidEvent&) {});
}

}  // namespace vantro::ops
