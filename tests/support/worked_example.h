// SPDX-License-Identifier: MIT
#pragma once
// The worked example HEX file: two records (16 bytes, then 3) and the end record,
// which a FLASH or EEPROM run sends as two data reports.

namespace vantro::testing {

inline constexpr const char* kWorkedExample =
    ":10010000000102030405060708090A0B0C0D0E0F77\n"
    ":03011000E4F5A073\n"
    ":00000001FF\n";

}  // namespace vantro::testing
