// SPDX-License-Identifier: MIT
#pragma once
// Output never destroys input: no output file of a run may be its HEX file or
// another of its outputs, checked before any of them is opened.

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "production/chip_run.h"

namespace vantro::cli {

// The message when an output (--log, --trace, --dump-flash, --dump-eeprom, each
// programmer's own) names the HEX file or another output; nothing when none does.
std::optional<std::string> output_clash(const CliOptions& options,
                                        const std::vector<production::Target>& targets);

}  // namespace vantro::cli
