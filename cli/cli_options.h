#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/terminal_display.h"
#include "connection/connection_options.h"

namespace vantro::cli {

enum class Command { List, Erase, Flash, Eeprom, Lock, Check };

struct CliOptions : ConnectionOptions {
    Command command = Command::List;
    std::string hex_file;
    LockBitChoice lock_bits;
    std::optional<std::string> dump_flash;
    std::optional<std::string> dump_eeprom;
    std::optional<std::string> trace;
    bool quiet = false;
};

struct ParseResult {
    std::optional<CliOptions> options;  // empty: exit with exit_code
    int exit_code = 0;
};

// Parses the command line; prints help, version or the usage error itself.
ParseResult parse_command_line(int argc, char** argv);

}  // namespace vantro::cli
