// SPDX-License-Identifier: MIT
#include <cstdio>

#include "cli/commands.h"
#include "connection/backend.h"
#include "i18n/texts.h"
#include "ops/exit_codes.h"
#include "platform/console.h"
#include "production/chip_run.h"

namespace vantro::cli {

namespace {

void print_programmer(const std::string& path, std::uint16_t vid, std::uint16_t pid,
                      const std::string& serial, const std::string& product) {
    char ids[16];
    std::snprintf(ids, sizeof ids, "%04x:%04x", vid, pid);
    platform::write_text(
        stdout, path + "  " + ids + "  " + (serial.empty() ? "-" : serial) + "  " + product + "\n");
}

}  // namespace

int run_list(const CliOptions& options, TerminalDisplay& display) {
    const std::vector<connection::ProgrammerEntry> programmers =
        connection::list_programmers(options);
    for (const connection::ProgrammerEntry& programmer : programmers) {
        print_programmer(programmer.path, programmer.vendor_id, programmer.product_id,
                         programmer.serial, programmer.product);
        if (programmer.problem) {
            display.print_line(*programmer.problem);
        }
    }
    if (programmers.empty()) {
        display.print_line(production::no_programmer_text());
        return ops::kExitNoDevice;
    }
    return ops::kExitSuccess;
}

}  // namespace vantro::cli
