// SPDX-License-Identifier: MIT
#include <windows.h>

#include <cerrno>
#include <cstdlib>

#include "platform/device_open_error.h"

namespace vantro::platform {

// hidapi on Windows sets no errno, but its text carries what Windows said, as in
// "open_device: (0x00000005) Access is denied.": the errno of the same meaning.
DeviceOpenError device_open_error(int, const std::string& message) {
    const std::size_t at = message.find("(0x");
    if (at == std::string::npos) {
        return {};
    }
    switch (std::strtoul(message.c_str() + at + 3, nullptr, 16)) {
        case ERROR_ACCESS_DENIED:  // what an exclusive holder leaves others
        case ERROR_SHARING_VIOLATION:
            return {EACCES, true};
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return {ENOENT, false};
        case ERROR_DEVICE_NOT_CONNECTED:
            return {ENODEV, false};
        default:
            return {};
    }
}

}  // namespace vantro::platform
