// SPDX-License-Identifier: MIT
#pragma once

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
    WriteFailed,  // a report could not be written (also: no programmer present)
    NotFound,     // no programmer where the owner looked: nothing was sent
    Cancelled,    // the owner cancelled the wait (the window is closing)
    Busy,         // another operation is running: nothing happened
};

}  // namespace vantro::ops
