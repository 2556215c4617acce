// SPDX-License-Identifier: MIT
#pragma once

#include "ops/outcome.h"

namespace vantro::cli {

// The CLI's exit codes; scripts rely on them.
enum ExitCode : int {
    kExitSuccess = 0,
    kExitRefused = 1,   // the programmer refused a data report or the lock bits
    kExitUsage = 2,     // usage error, or a refused file
    kExitNoDevice = 3,  // no programmer, a time-out, the programmer removed, a write failure
};

// Ended by a signal: 128 + its number, as a shell reports a process it killed.
inline int exit_code_for_signal(int number) {
    return 128 + number;
}

inline int exit_code_for(ops::Outcome outcome) {
    switch (outcome) {
        case ops::Outcome::Success:
            return kExitSuccess;
        case ops::Outcome::Refused:
        case ops::Outcome::Mismatch:
            return kExitRefused;
        case ops::Outcome::NotChosen:
        case ops::Outcome::FileRefused:
            return kExitUsage;
        case ops::Outcome::Removed:
        case ops::Outcome::TimedOut:
        case ops::Outcome::WrongAnswer:
        case ops::Outcome::WriteFailed:
        case ops::Outcome::NotFound:
        case ops::Outcome::Cancelled:
        case ops::Outcome::Busy:
            return kExitNoDevice;
    }
    return kExitNoDevice;
}

}  // namespace vantro::cli
