// SPDX-License-Identifier: MIT
// HexFileSource's system side on Windows: wide-character calls, so any file name
// works, and raw reads, so no CR is dropped and no 0x1A ends the file early.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "hex/hex_file_source.h"
#include "platform/utf8.h"

namespace vantro::hex {

std::string HexFileSource::describe_error(unsigned long error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return refusal_text(Refusal::Missing);
        case ERROR_ACCESS_DENIED:
            return refusal_text(Refusal::NoPermission);
        default:
            break;
    }
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text != nullptr ? text : L"", length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(error) : platform::utf8_from_utf16(message);
}

HexFileSource::NativeHandle HexFileSource::open_native(const std::string& path,
                                                       std::string& reason) {
    // BACKUP_SEMANTICS lets a folder open too, so that it is named as what it is.
    const HANDLE handle = CreateFileW(platform::utf16_from_utf8(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        reason = describe_error(GetLastError());
        return kNoHandle;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    LARGE_INTEGER size{};
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        reason = refusal_text(Refusal::NotRegular);  // NUL, CON, COM1, a pipe
    } else if (!GetFileInformationByHandle(handle, &information) || !GetFileSizeEx(handle, &size)) {
        reason = describe_error(GetLastError());
    } else if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        reason = refusal_text(Refusal::Folder);
    } else if (static_cast<std::uint64_t>(size.QuadPart) > kMaxHexFileSize) {
        reason = refusal_text(Refusal::TooLarge);
    }
    if (!reason.empty()) {
        CloseHandle(handle);
        return kNoHandle;
    }
    return reinterpret_cast<NativeHandle>(handle);
}

std::ptrdiff_t HexFileSource::read_native(NativeHandle handle, char* buffer, std::size_t size,
                                          std::string& reason) {
    DWORD count = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!ReadFile(reinterpret_cast<HANDLE>(handle), buffer, wanted, &count, nullptr)) {
        reason = describe_error(GetLastError());
        return -1;
    }
    return static_cast<std::ptrdiff_t>(count);
}

void HexFileSource::close_native(NativeHandle handle) {
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

}  // namespace vantro::hex
