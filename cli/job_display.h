// SPDX-License-Identifier: MIT
#pragma once
// What a production job shows on stderr: each socket's chip as it starts, a large
// PASS or FAIL line as it ends (in colour on a terminal, unless NO_COLOR is set),
// a paused socket, and the per-socket summary on stdout. On a terminal the
// status board stays below those lines, and Enter starts only the sockets whose
// last chip was shown since the last Enter.

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/interruption.h"
#include "cli/programmer_board.h"
#include "cli/socket_board.h"
#include "production/chip_run.h"
#include "production/job_run.h"

namespace vantro::cli {

// A socket's programmer as the chip runs name it, and its output files.
production::Target job_target(const CliOptions& options, const production::Socket& socket,
                              bool numbered_files);

class JobDisplay : public production::JobView {
public:
    // `prompt`: after each chip, the keys the operator may press are recalled;
    // `board`: on the status board at the bottom of the terminal;
    // `interruption`: a chip a signal stopped carries its exit code.
    JobDisplay(const CliOptions& options, const std::vector<production::Socket>& sockets,
               const std::string& records, bool prompt, bool board,
               const Interruption& interruption);

    std::unique_ptr<production::SocketPort> port(const production::Socket& socket) override;
    void chip_started(const production::Socket& socket,
                      std::optional<std::uint64_t> serial) override;
    void chip_ended(const production::Socket& socket,
                    const production::ChipResult& result) override;
    void socket_paused(const production::Socket& socket) override;
    void job_stopping(const std::string& why) override;

    // A line of its own on stderr.
    void say(const std::string& text);
    // Enter: the sockets whose last chip was shown since the last Enter, and no
    // longer; those paused are not among them.
    std::vector<int> take_enter_sockets();
    // The terminal echoed a line the operator typed below the board: the board
    // is one line higher than it was drawn.
    void line_typed();
    // Socket K was started by its digit: Enter need not start it.
    void started_by_key(int number);
    void print_summary(const std::vector<production::Socket>& sockets,
                       const std::vector<production::SocketTally>& tallies);

private:
    std::string socket_name(const production::Socket& socket) const;
    void write_locked(const std::string& text);
    SocketStatus& status(const production::Socket& socket);
    // The board redrawn below what was written; nothing without a board.
    void erase_board_locked();
    void draw_board_locked();

    CliOptions options_;  // as the command gave them, for every chip's port
    const Interruption& interruption_;
    bool numbered_files_;
    bool prompt_;
    bool colour_;
    bool board_shown_;
    BoardState state_;
    std::vector<int> shown_;  // since the last Enter
    std::size_t drawn_ = 0;   // the board's lines on the screen
    ProgrammerBoard board_;
    std::mutex mutex_;
};

}  // namespace vantro::cli
