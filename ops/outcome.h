// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vantro::ops {

// How an operation ended; the CLI turns it into its exit code.
enum class Outcome {
    Success,
    NotChosen,    // no file was chosen: nothing happened
    FileRefused,  // the file could not be read or failed the check: nothing was sent
    Refused,      // the programmer refused a data report or the lock bits
    Mismatch,     // the run ended well, but the chip's memory, seen after it, differs
    Removed,      // the programmer was removed during a wait
    TimedOut,     // no awaited answer within the time limit
    WrongAnswer,  // the time limit ran out after the programmer answered something else
    WriteFailed,  // a report could not be written (also: no programmer present)
    NotFound,     // no programmer where the owner looked: nothing was sent
    Cancelled,    // the owner cancelled the wait (the window is closing)
    Busy,         // another operation is running: nothing happened
    // The chip's run ended well, but a file its caller writes after it (a trace, a
    // memory dump) could not be written. No operation ends so by itself.
    OutputFailed,
};

// The chip log's word for it: success, refused, timed-out, ...
inline const char* outcome_word(ops::Outcome outcome) {
    switch (outcome) {
        case ops::Outcome::Success:
            return "success";
        case ops::Outcome::NotChosen:
            return "not-chosen";
        case ops::Outcome::FileRefused:
            return "file-refused";
        case ops::Outcome::Refused:
            return "refused";
        case ops::Outcome::Mismatch:
            return "mismatch";
        case ops::Outcome::Removed:
            return "removed";
        case ops::Outcome::TimedOut:
            return "timed-out";
        case ops::Outcome::WrongAnswer:
            return "wrong-answer";
        case ops::Outcome::WriteFailed:
            return "write-failed";
        case ops::Outcome::NotFound:
            return "not-found";
        case ops::Outcome::Cancelled:
            return "cancelled";
        case ops::Outcome::Busy:
            return "busy";
        case ops::Outcome::OutputFailed:
            break;
    }
    return "output-failed";
}

// How a table of chips names it, in the run's language: "sem resposta".
std::string outcome_text(Outcome outcome);

}  // namespace vantro::ops
