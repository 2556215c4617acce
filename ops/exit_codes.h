// SPDX-License-Identifier: MIT
#pragma once

#include "ops/outcome.h"

namespace vantro::ops {

// The exit codes of the command line and of a production run; scripts rely on them.
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

inline int exit_code_for(Outcome outcome) {
    switch (outcome) {
        case Outcome::Success:
            return kExitSuccess;
        case Outcome::Refused:
        case Outcome::Mismatch:
            return kExitRefused;
        case Outcome::NotChosen:
        case Outcome::FileRefused:
        case Outcome::OutputFailed:
            return kExitUsage;
        case Outcome::Removed:
        case Outcome::TimedOut:
        case Outcome::WrongAnswer:
        case Outcome::WriteFailed:
        case Outcome::NotFound:
        case Outcome::Cancelled:
        case Outcome::Busy:
            return kExitNoDevice;
    }
    return kExitNoDevice;
}

}  // namespace vantro::ops
