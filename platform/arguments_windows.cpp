// SPDX-License-Identifier: MIT
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include "platform/arguments.h"
#include "platform/utf8.h"

namespace vantro::platform {

std::vector<std::string> utf8_arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** const wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(utf8_from_utf16(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

}  // namespace vantro::platform
