// SPDX-License-Identifier: MIT
#pragma once
// The program's texts (UTF-8 inside) at the W functions' edge (UTF-16).

#include <string>
#include <string_view>

#include "i18n/texts.h"
#include "platform/utf8.h"

namespace vantro::win {

inline std::wstring wide(std::string_view text) {
    return platform::utf16_from_utf8(text);
}

// vantro::tr for the window's own texts.
inline std::wstring wtr(std::string_view portuguese) {
    return wide(vantro::tr(portuguese));
}

}  // namespace vantro::win
