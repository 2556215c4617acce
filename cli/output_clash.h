// SPDX-License-Identifier: MIT
#pragma once
// Output never destroys input: no output file of a run may be one of its inputs
// (the HEX file; a job's file, images and counter) or another of its outputs,
// under any name (./x, a symbolic or hard link, a link to a file not yet made),
// checked before any of them is opened.

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "production/chip_run.h"
#include "production/job_file.h"

namespace vantro::cli {

struct ClashInput {
    std::string what;  // in a sentence: "o arquivo HEX"
    std::string file;
};

struct ClashOutput {
    std::string name;  // the option or the job file's key: "--trace", "log"
    std::string file;
    std::string where;  // said first: "job.toml:4: " for a job file's key; empty for an option
};

// The message when an output names an input or an output before it; nothing when none does.
std::optional<std::string> file_clash(const std::vector<ClashInput>& inputs,
                                      const std::vector<ClashOutput>& outputs);

// The message when an output (--log, --trace, --dump-flash, --dump-eeprom, each
// programmer's own) names the HEX file or another output; nothing when none does.
std::optional<std::string> output_clash(const CliOptions& options,
                                        const std::vector<production::Target>& targets);

// The same for a job: its file, images, counter, log and records, and the options' outputs
// for each socket's target (none: the job file's own keys alone).
std::optional<std::string> job_clash(const production::JobFile& job, const CliOptions& options,
                                     const std::vector<production::Target>& targets);

// Every output file the options give the targets, in the order they are checked.
std::vector<ClashOutput> option_outputs(const CliOptions& options,
                                        const std::vector<production::Target>& targets);

}  // namespace vantro::cli
