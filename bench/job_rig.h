// SPDX-License-Identifier: MIT
#pragma once
// A production job run in process on emulated sockets, timed, as the job benches
// run it: an 8 KiB FLASH image with a serial number in EEPROM, the log flushed
// and the records written as on a production line.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>

#include "production/job_file.h"
#include "production/job_plan.h"

namespace vantro::bench {

// The job file's contents for `hex`, its records at `records` and its log named
// `log` in the temporary folder.
production::JobFile bench_job_file(const std::string& hex, const std::string& records,
                                   const std::string& log);

struct JobTiming {
    double seconds = 0;  // until the timed sockets' last chip ended
    int chips = 0;       // timed chips
    long writes = 0;     // reports written to the timed sockets
    bool ok = true;      // every timed chip passed and the job never stopped
};

struct JobShape {
    int sockets = 1;
    int silent = 0;  // the socket (from 1) that never answers; 0: none
    int chips_per_socket = 3;
    std::chrono::milliseconds latency{2};
};

// One job run: the first chip on every socket, then chips_per_socket - 1 more,
// started ahead as a script would.
JobTiming time_job(const production::JobPlan& plan, const JobShape& shape);

// The job's log and, when they are a file, its records with their side files, removed.
void remove_job_files(const production::JobFile& job);

}  // namespace vantro::bench
