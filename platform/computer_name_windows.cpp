// SPDX-License-Identifier: MIT
#include <windows.h>

#include "platform/computer_name.h"
#include "platform/utf8.h"

namespace vantro::platform {

std::string computer_name() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? utf8_from_utf16(std::wstring_view(name, size)) : "";
}

}  // namespace vantro::platform
