// SPDX-License-Identifier: MIT
#pragma once
// SIGINT, SIGTERM and SIGHUP, taken by a thread of their own with sigwait, so
// that no handler runs inside the program's code. Before a run has started the
// first signal ends the program at once; during a run it stops the run (nothing
// more is sent) and the program ends when the run has stopped; a second signal
// ends it at once. SIGPIPE is ignored: a closed pipe is a failed write. On
// Windows, Ctrl+C, Ctrl+Break and closing the console stand for the signals.

#include <stop_token>
#include <string>

namespace vantro::cli {

class Interruption {
public:
    // Call first thing in main, before any other thread exists: every thread
    // started later inherits the blocked signals.
    static Interruption& install();

    // Said on stderr when a signal ends the program before a run. Once at most.
    void set_text_before_run(const std::string& text);
    // Marks the start of a run; a signal stops it through the token from now on.
    // said_if_aborted: said when a second signal ends the program during a run;
    // the first call's text is kept.
    // False when a signal came first: the program is ending, nothing may be sent.
    bool begin_run(const std::string& said_if_aborted);
    // Marks its end: the number of the signal that stopped it, or 0; with 0, a
    // signal ends the program at once again.
    int end_run();
    std::stop_token stop_token() const;
    // The number of the first signal taken, or 0.
    int signal() const;

    struct State;

private:
    Interruption() = default;
    State* state_ = nullptr;
};

// Blocks until the signal thread has ended the process.
[[noreturn]] void wait_for_the_end();

}  // namespace vantro::cli
