// SPDX-License-Identifier: MIT
#pragma once
// What a failed open of a HID device node means, from what the system left.

#include <optional>
#include <string>

namespace vantro::platform {

struct DeviceOpenError {
    // errno of the failed open, or the errno that means what the system said; 0 when unknown.
    int error_number = 0;
    // Another program holds the device for itself (Windows' access denied or sharing violation).
    bool held_by_another_program = false;
};

// saved_errno: errno right after the failed open; message: hidapi's text of it, UTF-8.
DeviceOpenError device_open_error(int saved_errno, const std::string& message);

// Asked before opening the device at `path`: whether another program holds it for
// itself, which the open would not say (hidapi's Windows backend then opens it
// without access rights, and every read and write fails as if it had been
// unplugged). The error, described in `message`; nullopt when the
// device can be opened for reading and writing, or this system cannot tell.
std::optional<DeviceOpenError> device_held_elsewhere(const std::string& path, std::string& message);

}  // namespace vantro::platform
