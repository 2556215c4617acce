// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "cli/chip_run.h"
#include "cli/cli_options.h"

namespace vantro::cli {

// The programmers a command runs on: each --device, or with --all every one
// present (none when there is none); otherwise the one a plain run uses.
std::vector<Target> production_targets(const CliOptions& options);

}  // namespace vantro::cli
