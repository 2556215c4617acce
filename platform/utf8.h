// SPDX-License-Identifier: MIT
#pragma once
// Text is UTF-8 everywhere inside the program. Windows speaks UTF-16 at the
// program's edges (file names, arguments, the console, hidapi's texts); these
// convert there. On POSIX a file name is bytes and stays as it is.

#include <filesystem>
#include <string>
#include <string_view>

namespace vantro::platform {

// The file a name given in UTF-8 (as the user typed it) stands for.
std::filesystem::path path_from_utf8(const std::string& name);

// A file's name as UTF-8, for showing and for building other names.
std::string utf8_from_path(const std::filesystem::path& path);

// A wide text of the system's (UTF-32 on POSIX, UTF-16 on Windows) as UTF-8; null gives "".
std::string utf8_from_wide(const wchar_t* text);

#ifdef _WIN32
std::wstring utf16_from_utf8(std::string_view text);
std::string utf8_from_utf16(std::wstring_view text);
#endif

}  // namespace vantro::platform
