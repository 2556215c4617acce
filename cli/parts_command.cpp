// SPDX-License-Identifier: MIT
#include <cstdio>

#include "cli/commands.h"
#include "ops/exit_codes.h"
#include "ops/parts.h"

namespace vantro::cli {

int run_parts() {
    for (const ops::Part& part : ops::known_parts()) {
        const std::string flash = ops::size_text(part.flash_size);
        const std::string eeprom = part.eeprom_size > 0 ? ops::size_text(part.eeprom_size) : "-";
        std::printf("%-10.*s  FLASH %-7s  EEPROM %s\n", static_cast<int>(part.name.size()),
                    part.name.data(), flash.c_str(), eeprom.c_str());
    }
    return ops::kExitSuccess;
}

}  // namespace vantro::cli
