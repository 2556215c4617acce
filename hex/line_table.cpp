// SPDX-License-Identifier: MIT
#include "hex/line_table.h"

namespace vantro::hex {

const std::string& LineTable::entry(int i) const {
    static const std::string empty;
    if (i < 1 || i > kTableCapacity) {
        return empty;
    }
    return linhas[static_cast<std::size_t>(i)];
}

std::string& LineTable::at(int i) {
    return linhas.at(static_cast<std::size_t>(i));
}

void LineTable::clear_entries() {
    for (std::size_t i = 1; i < linhas.size(); ++i) {
        linhas[i].clear();
    }
}

}  // namespace vantro::hex
