// SPDX-License-Identifier: MIT
#include "platform/printable_path.h"

#include <cstdio>

namespace vantro::platform {
namespace {

// Length of the UTF-8 sequence that starts at `i`, or 0 when it is none or a control character.
std::size_t utf8_sequence_length(const std::string& text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned char lowest_second = 0x80;
    unsigned char highest_second = 0xBF;
    if (lead < 0x20 || lead == 0x7F) {
        return 0;  // a control character would garble the message
    }
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest_second = lead == 0xE0 ? 0xA0 : 0x80;
        highest_second = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest_second = lead == 0xF0 ? 0x90 : 0x80;
        highest_second = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        const unsigned char low = k == 1 ? lowest_second : 0x80;
        const unsigned char high = k == 1 ? highest_second : 0xBF;
        if (c < low || c > high) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string printable_path(const std::string& path) {
    std::string shown;
    shown.reserve(path.size());
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t length = utf8_sequence_length(path, i);
        if (length == 0) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(path[i]));
            shown += escaped;
            ++i;
        } else {
            shown.append(path, i, length);
            i += length;
        }
    }
    return shown;
}

}  // namespace vantro::platform
