// SPDX-License-Identifier: MIT
#pragma once
// What the records say, for a quality engineer: a summary per run and socket,
// and every attempt exported as CSV or JSON lines (the serial number under
// `chip_serial`, as in the chip log).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "production/records_row.h"

namespace vantro::production {

struct SocketSummary {
    std::string run_id;
    std::string job;
    std::string station;
    std::string started;  // the time of the run's first attempt on the socket
    std::int64_t socket = 0;
    std::string programmer_serial;
    int done = 0;         // passed
    int failed = 0;       // ended otherwise
    int unfinished = 0;   // numbers taken whose chip never ended (state "started")
    bool paused = false;  // the socket was left paused

    // Passed over ended, in percent; nothing when none ended.
    std::optional<double> yield() const;
};

// Per run and socket, in the order the runs started.
std::vector<SocketSummary> summarize(const std::vector<AttemptRow>& rows);

// A header line, then one line per attempt: id and every column, RFC 4180 quoting.
std::string attempts_csv(const std::vector<AttemptRow>& rows);
// One JSON object per attempt and line: numbers as numbers, steps and lock bits as JSON.
std::string attempts_jsonl(const std::vector<AttemptRow>& rows);

}  // namespace vantro::production
