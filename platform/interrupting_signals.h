// SPDX-License-Identifier: MIT
#pragma once
// The events that ask the program to stop, each taken on a thread of its own so
// that no handler runs inside the program's code: SIGINT, SIGTERM and SIGHUP on
// POSIX (SIGPIPE is ignored: a closed pipe is a failed write); on Windows Ctrl+C
// stands for SIGINT, and Ctrl+Break and closing the console for SIGTERM.

#include <string_view>

namespace vantro::platform {

// Calls `take` with the signal's number for each event from now on. Call first
// thing in main, before any other thread exists: on POSIX every thread started
// later inherits the blocked signals.
void watch_interrupting_signals(void (*take)(int signal_number));

// Writes `text` to stderr at once, bypassing the stream's buffer; safe on the thread
// that takes the events while the program's own threads go on.
void say_at_once(std::string_view text);

// Blocks the calling thread for good: the thread that takes the events ends the process.
[[noreturn]] void sleep_forever();

}  // namespace vantro::platform
