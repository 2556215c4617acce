// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

namespace vantro::hex {

// Two upper-case hex digit characters to one byte. Any other character, or a
// missing one, counts 0; characters after the second are not looked at.
std::uint8_t converte_dec(std::string_view dado);

}  // namespace vantro::hex
