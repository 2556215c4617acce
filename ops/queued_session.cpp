// SPDX-License-Identifier: MIT
#include "ops/queued_session.h"

namespace vantro::ops {

QueuedSession::QueuedSession(hid::HidLibrary& library, Display& display,
                             std::function<void(const hid::HidEvent&)> before_dispatch)
    : before_dispatch_(std::move(before_dispatch)),
      // Events are dispatched only from pump() or a wait, once every member exists.
      queue_([this](const hid::HidEvent& event) {
          if (before_dispatch_) {
              before_dispatch_(event);
          }
          bridge_.HidWindowProc(event);
      }),
      session_(library, queue_, display),
      bridge_(library, session_) {}

QueuedSession::~QueuedSession() {
    if (bridge_.attached()) {
        bridge_.HidDetach();
    }
}

bool QueuedSession::attach() {
    const bool connected = bridge_.HidAttach(queue_.poster());
    pump();
    return connected;
}

}  // namespace vantro::ops
