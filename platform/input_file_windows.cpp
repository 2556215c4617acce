// SPDX-License-Identifier: MIT
// Wide-character calls, so any file name works, and raw reads, so no CR is
// dropped and no 0x1A ends the file early.

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/input_file.h"
#include "platform/utf8.h"

namespace vantro::platform {
namespace {

InputFailure failure_for(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return {InputProblem::Missing, {}};
        case ERROR_ACCESS_DENIED:
            return {InputProblem::NoPermission, {}};
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
    return {InputProblem::Other,
            message.empty() ? "error " + std::to_string(error) : utf8_from_utf16(message)};
}

}  // namespace

std::optional<InputFile> InputFile::open(const std::string& path, std::uint64_t max_size,
                                         InputFailure& failure) {
    // BACKUP_SEMANTICS lets a folder open too, so that it is named as what it is.
    const HANDLE handle = CreateFileW(utf16_from_utf8(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        failure = failure_for(GetLastError());
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    LARGE_INTEGER size{};
    std::optional<InputFailure> refusal;
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        refusal = InputFailure{InputProblem::NotRegular, {}};  // NUL, CON, COM1, a pipe
    } else if (!GetFileInformationByHandle(handle, &information) || !GetFileSizeEx(handle, &size)) {
        refusal = failure_for(GetLastError());
    } else if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        refusal = InputFailure{InputProblem::Folder, {}};
    } else if (static_cast<std::uint64_t>(size.QuadPart) > max_size) {
        refusal = InputFailure{InputProblem::TooLarge, {}};
    }
    if (refusal) {
        failure = std::move(*refusal);
        CloseHandle(handle);
        return std::nullopt;
    }
    return InputFile(reinterpret_cast<NativeHandle>(handle));
}

InputFile::~InputFile() {
    if (handle_ != kNoHandle) {
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
    }
}

std::ptrdiff_t InputFile::read_some(char* buffer, std::size_t size, InputFailure& failure) {
    DWORD count = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!ReadFile(reinterpret_cast<HANDLE>(handle_), buffer, wanted, &count, nullptr)) {
        failure = failure_for(GetLastError());
        return -1;
    }
    return static_cast<std::ptrdiff_t>(count);
}

}  // namespace vantro::platform
