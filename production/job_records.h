// SPDX-License-Identifier: MIT
#pragma once
// A job's records made ready before its first chip: opened (created when
// missing), its range of serial numbers seeded on first use from the counter a
// job file had before records (or `first`), and checked against the job's own
// log: records that lack numbers the log names were lost or replaced, and the
// job is refused rather than giving those numbers again.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "production/job_file.h"
#include "production/records.h"

namespace vantro::production {

struct JobRecords {
    std::unique_ptr<Records> records;  // none when only checking and the file is not there yet
    std::optional<std::uint64_t> next_serial;  // the first chip's number; none without [serial]
    std::string notice;  // said once on screen: the counter's number moved into the records
};

// Write: opens (creating) and seeds. Read (--check): changes nothing anywhere.
OrProblem<JobRecords> open_job_records(const JobFile& job, RecordsAccess access);

// The highest chip_serial the log's lines of job `name` hold; none when none
// (or no log). Lines that are not JSON are passed over.
std::optional<std::uint64_t> highest_logged_serial(const std::string& log, const std::string& name);

}  // namespace vantro::production
