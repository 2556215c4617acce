// SPDX-License-Identifier: MIT
#pragma once
// One chip's record: what the records' row and the chip log's JSON line are both
// made from, so the two never say different things.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantro::production {

// What a production job's line adds to a chip's record.
struct JobChipFields {
    std::string job;
    std::string station;
    std::string version;
    std::int64_t sequence = 0;  // the chip's number in the shift, from 1
    int socket = 0;
    std::optional<std::uint64_t> chip_serial;
    std::vector<std::pair<std::string, std::string>> steps;  // step, its outcome
    std::optional<std::string> flash_sha256;                 // the job's files, as pinned
    std::optional<std::string> eeprom_sha256;
    std::optional<std::array<bool, 3>> lock_bits;
    std::optional<std::string> chip_holds;  // on failure: what the chip holds now
    std::optional<std::string> operator_name;
    // The records' own, beyond the log's line.
    std::string job_sha256;                           // of the job file's bytes
    std::string run_id;                               // one per job started
    int attempt = 1;                                  // the chip's attempt at its serial number
    std::optional<std::string> written_flash_sha256;  // the images as written, serial in
    std::optional<std::string> written_eeprom_sha256;
};

struct ChipRecord {
    std::chrono::system_clock::time_point time;
    std::string operation;  // erase, flash, eeprom, lock
    std::optional<std::string> hex_file;
    std::optional<std::string> sha256;
    std::optional<std::string> part;
    std::string programmer;  // path
    std::optional<std::string> serial;
    std::string outcome;
    int exit_code = 0;
    std::int64_t duration_ms = 0;
    std::optional<std::string> message;
    std::optional<JobChipFields> job;
};

}  // namespace vantro::production
