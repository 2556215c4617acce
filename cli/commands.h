// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"
#include "cli/interruption.h"
#include "cli/terminal_display.h"
#include "ops/operation.h"

namespace vantro::cli {

int run_check(const CliOptions& options, TerminalDisplay& display);
int run_list(const CliOptions& options, TerminalDisplay& display);
int run_parts();
// job FILE.toml: a production job on every socket.
int run_job(const CliOptions& options, TerminalDisplay& display, Interruption& interruption);
// records SOURCE: a job's records, summarized, one chip's, or exported.
int run_records(const CliOptions& options, TerminalDisplay& display);
// erase, flash, eeprom and lock: one operation on the programmer.
int run_operation(const CliOptions& options, ops::Operation operation, TerminalDisplay& display,
                  Interruption& interruption);

}  // namespace vantro::cli
