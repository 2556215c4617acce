// SPDX-License-Identifier: MIT
#include <windows.h>

#include "platform/utf8.h"

namespace vantro::platform {

std::wstring utf16_from_utf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string utf8_from_utf16(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::filesystem::path path_from_utf8(const std::string& name) {
    return std::filesystem::path(utf16_from_utf8(name));
}

std::string utf8_from_wide(const wchar_t* text) {
    return text != nullptr ? utf8_from_utf16(text) : std::string();
}

}  // namespace vantro::platform
