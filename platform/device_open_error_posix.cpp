// SPDX-License-Identifier: MIT
#include "platform/device_open_error.h"

namespace vantro::platform {

DeviceOpenError device_open_error(int saved_errno, const std::string&) {
    return {saved_errno, false};
}

// An open that hidapi cannot make says so with errno.
std::optional<DeviceOpenError> device_held_elsewhere(const std::string&, std::string&) {
    return std::nullopt;
}

}  // namespace vantro::platform
