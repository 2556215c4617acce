// SPDX-License-Identifier: MIT
#pragma once
// What a failed open of a HID device node means, from what the system left.

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

}  // namespace vantro::platform
