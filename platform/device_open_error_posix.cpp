// SPDX-License-Identifier: MIT
#include "platform/device_open_error.h"

namespace vantro::platform {

DeviceOpenError device_open_error(int saved_errno, const std::string&) {
    return {saved_errno, false};
}

}  // namespace vantro::platform
