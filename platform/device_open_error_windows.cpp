// SPDX-License-Identifier: MIT
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/device_open_error.h"
#include "platform/utf8.h"

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

std::optional<DeviceOpenError> device_held_elsewhere(const std::string& path,
                                                     std::string& message) {
    // The access and sharing hidapi asks for its reader and writer.
    const HANDLE handle = CreateFileW(utf16_from_utf8(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OVERLAPPED, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return std::nullopt;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) {
        return std::nullopt;  // hidapi's own open says what this is
    }
    char code[16];
    std::snprintf(code, sizeof code, "(0x%08lX)", static_cast<unsigned long>(error));
    message = "open_device: " + std::string(code) + " " + path;
    return DeviceOpenError{EACCES, true};
}

}  // namespace vantro::platform
