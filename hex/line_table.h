// SPDX-License-Identifier: MIT
#pragma once
// The line table: one stored record (a HEX line less its checksum) per entry.

#include <cstdint>
#include <string>
#include <vector>

namespace vantro::hex {

inline constexpr int kTableCapacity = 20000;

struct LineTable {
    // Entries 0..20000; entry 0 is never used.
    std::vector<std::string> linhas = std::vector<std::string>(kTableCapacity + 1);
    // After loading: one more than the number of records stored.
    std::int32_t total_linhas = 0;

    // Entry i; entries outside 1..20000 read as the empty text.
    const std::string& entry(int i) const;
    // Entry i for writing; only for 1 <= i <= 20000.
    std::string& at(int i);
    // Empties entries 1..20000; total_linhas is left alone.
    void clear_entries();
};

}  // namespace vantro::hex
