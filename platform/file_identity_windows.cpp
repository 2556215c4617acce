// SPDX-License-Identifier: MIT
#include <windows.h>

#include "platform/file_identity.h"
#include "platform/utf8.h"

namespace vantro::platform {

std::optional<FileIdentity> file_identity(const std::string& name) {
    const HANDLE file = CreateFileW(utf16_from_utf8(name).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!known) {
        return std::nullopt;
    }
    return FileIdentity{
        info.dwVolumeSerialNumber,
        (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace vantro::platform
