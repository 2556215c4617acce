// SPDX-License-Identifier: MIT
#pragma once
// A chip attempt's row in the records, column by column, as both stores write
// and read it: every value as text (numbers in decimal), or nothing for NULL.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "production/chip_record.h"

namespace vantro::production {

struct Column {
    const char* name;
    bool integer;  // else text
};

// The attempts table's columns after its id, in order.
inline constexpr std::array<Column, 28> kAttemptColumns{{
    {"job", false},
    {"chip_serial", true},
    {"attempt", true},
    {"state", false},  // "started", then the outcome
    {"time", false},
    {"job_sha256", false},
    {"station", false},
    {"operator", false},
    {"run_id", false},
    {"sequence", true},
    {"socket", true},
    {"programmer", false},
    {"programmer_serial", false},
    {"part", false},
    {"version", false},
    {"hex_file", false},
    {"sha256", false},
    {"flash_sha256", false},
    {"eeprom_sha256", false},
    {"written_flash_sha256", false},
    {"written_eeprom_sha256", false},
    {"steps", false},      // a JSON object: step, its outcome
    {"lock_bits", false},  // a JSON list of the bits set, as in the log
    {"chip_holds", false},
    {"message", false},
    {"duration_ms", true},
    {"exit_code", true},
    {"paused", true},  // 1: the socket paused after this attempt
}};

inline constexpr std::string_view kStarted = "started";

struct AttemptRow {
    std::int64_t id = 0;
    std::vector<std::optional<std::string>> values;  // one per kAttemptColumns

    // The value of a column of kAttemptColumns; nothing for NULL.
    const std::optional<std::string>& operator[](std::string_view column) const;
    std::optional<std::int64_t> integer(std::string_view column) const;
};

// The row a job's chip record makes, in `state`.
AttemptRow attempt_row(const ChipRecord& record, std::string_view state);

}  // namespace vantro::production
