// SPDX-License-Identifier: MIT
#pragma once
// The program's texts (UTF-8 std::string from the core) as Qt strings.

#include <QString>
#include <string_view>

#include "i18n/texts.h"

namespace vantro::app {

inline QString to_qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// vantro::tr for the window's own texts.
inline QString qtr(std::string_view portuguese) {
    return to_qstring(vantro::tr(portuguese));
}

}  // namespace vantro::app
