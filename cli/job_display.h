// SPDX-License-Identifier: MIT
#pragma once
// What a production job shows on stderr: each socket's chip as it starts, a large
// PASS or FAIL line as it ends (in colour on a terminal, unless NO_COLOR is set),
// a paused socket, and the per-socket summary on stdout.

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/programmer_board.h"
#include "production/job_run.h"

namespace vantro::cli {

class JobDisplay : public production::JobView {
public:
    // `prompt`: after each chip, the keys the operator may press are recalled.
    JobDisplay(const CliOptions& options, bool numbered_files, bool prompt);

    std::unique_ptr<production::SocketPort> port(const production::Socket& socket) override;
    void chip_started(const production::Socket& socket,
                      std::optional<std::uint64_t> serial) override;
    void chip_ended(const production::Socket& socket,
                    const production::ChipResult& result) override;
    void socket_paused(const production::Socket& socket) override;
    void job_stopping(const std::string& why) override;

    // A line of its own on stderr.
    void say(const std::string& text);
    void print_summary(const std::vector<production::Socket>& sockets,
                       const std::vector<production::SocketTally>& tallies);

private:
    std::string socket_name(const production::Socket& socket) const;
    void write_locked(const std::string& text);

    CliOptions options_;  // as the command gave them, for every chip's port
    bool numbered_files_;
    bool prompt_;
    bool colour_;
    ProgrammerBoard board_;
    std::mutex mutex_;
};

}  // namespace vantro::cli
