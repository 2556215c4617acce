// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "connection/connection_options.h"
#include "ops/operation.h"
#include "production/production_targets.h"

namespace vantro::cli {

struct CliOptions : connection::ConnectionOptions {
    Command command = Command::List;
    std::string hex_file;
    ops::LockBits lock_bits;
    std::optional<std::string> dump_flash;
    std::optional<std::string> dump_eeprom;
    std::optional<std::string> trace;
    bool quiet = false;
    bool all = false;                             // every programmer present, at once
    bool repeat = false;                          // chip after chip until the user stops
    std::optional<std::string> log;               // JSON lines, one per chip
    std::string job_file;                         // job: the TOML file
    bool check_only = false;                      // job --check: every check, nothing programmed
    std::optional<std::string> operator_name;     // job --operator: in every chip's record
    std::string records_source;                   // records: a file or a postgresql:// URL
    std::optional<std::uint64_t> records_serial;  // records --serial N
    std::string records_format;                   // records --format: csv, jsonl or empty

    // Several programmers at once (each --device, or --all), not one.
    bool several_programmers() const { return production::several_programmers(*this, all); }
};

struct ParseResult {
    std::optional<CliOptions> options;  // empty: exit with exit_code
    int exit_code = 0;
};

// Parses the command line; prints help, version or the usage error itself.
ParseResult parse_command_line(int argc, char** argv);

}  // namespace vantro::cli
