// SPDX-License-Identifier: MIT
#include "cli/command_line_display.h"

namespace vantro::cli {

int LockBitChoice::box(int bit) const {
    switch (bit) {
        case 1:
            return lb1 ? 1 : 0;
        case 2:
            return lb2 ? 1 : 0;
        case 3:
            return lb3 ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace vantro::cli
