// SPDX-License-Identifier: MIT
#pragma once
// Tells the user, instead of showing it as disconnected, that a programmer is
// plugged in but this user may not open it, and how to fix that.

#include <optional>
#include <string>

#include "connection/backend.h"
#include "ops/display.h"

namespace vantro::form {

class AccessHint {
public:
    AccessHint(connection::Backend& backend, ops::Display& display)
        : backend_(backend), display_(display) {}

    // Looks again after a change of the device list, before the session sees it,
    // and sets the connection label. Returns the warning for a message box when a
    // programmer newly cannot be opened: the window shows it from its event loop,
    // not from inside the HID event's delivery.
    std::optional<std::string> device_list_changed();

private:
    connection::Backend& backend_;
    ops::Display& display_;
    std::optional<std::string> shown_path_;  // the programmer the hint is about
};

}  // namespace vantro::form
