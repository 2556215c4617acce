// SPDX-License-Identifier: MIT
#pragma once
// CPU time so far, of the whole process (CLOCK_PROCESS_CPUTIME_ID) or of the
// calling thread (CLOCK_THREAD_CPUTIME_ID), in seconds.

#include <time.h>

namespace vantro::bench {

inline double cpu_seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace vantro::bench
