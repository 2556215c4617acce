// SPDX-License-Identifier: MIT
#pragma once
// A chip's record, made in one place for every run that logs chips: a job's
// sockets and a command's --log.

#include <chrono>
#include <optional>
#include <string>

#include "ops/outcome.h"
#include "ops/parts.h"
#include "ops/prepare.h"
#include "production/chip_log.h"

namespace vantro::production {

// What every chip of one run shares: the operation and the image it writes.
struct RunFacts {
    std::string operation;                // erase, flash, eeprom, lock, job
    std::optional<std::string> hex_file;  // absolute
    std::optional<std::string> sha256;    // of the image as written
    std::optional<std::string> part;
};

// The facts of a run of `operation` writing the file at hex_path (empty: none),
// image the one loaded from it (null: none loaded).
RunFacts run_facts(std::string operation, const std::string& hex_path, const hex::HexImage* image,
                   const std::optional<ops::Part>& part);

// How one chip ended on one programmer.
struct ChipFacts {
    std::chrono::system_clock::time_point time;
    std::string programmer;  // path
    std::optional<std::string> serial;
    ops::Outcome outcome = ops::Outcome::Success;
    int exit_code = 0;
    std::chrono::milliseconds took{0};
    std::string message;  // the last one shown; empty when none
};

ChipRecord chip_record(const RunFacts& run, const ChipFacts& chip);

}  // namespace vantro::production
