// SPDX-License-Identifier: MIT
#include "hex/converte_dec.h"

namespace vantro::hex {
namespace {

// Only the sixteen upper-case digits count; anything else is worth 0.
std::uint8_t digit_value(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    return 0;
}

}  // namespace

std::uint8_t converte_dec(std::string_view dado) {
    const std::uint8_t high = dado.empty() ? 0 : digit_value(dado[0]);
    const std::uint8_t low = dado.size() < 2 ? 0 : digit_value(dado[1]);
    return static_cast<std::uint8_t>(high * 16 + low);
}

}  // namespace vantro::hex
