// SPDX-License-Identifier: MIT
#include "cli/job_display.h"

#include <algorithm>
#include <cstdlib>

#include "connection/backend.h"
#include "i18n/texts.h"
#include "ops/exit_codes.h"
#include "platform/console.h"
#include "production/chip_run.h"

namespace vantro::cli {

namespace {

constexpr const char* kGreen = "\x1b[1;30;42m";
constexpr const char* kRed = "\x1b[1;37;41m";
constexpr const char* kYellow = "\x1b[1;30;43m";
constexpr const char* kPlain = "\x1b[0m";

}  // namespace

production::Target job_target(const CliOptions& options, const production::Socket& socket,
                              bool numbered_files) {
    return {socket.path, socket.path, socket.serial,
            connection::number_in_path(options, socket.path).value_or(socket.number),
            numbered_files};
}

namespace {

// One chip on one socket: the socket's line on the board and the CLI's chip run.
class JobPort : public production::SocketPort {
public:
    JobPort(const CliOptions& options, ProgrammerBoard& board, const production::Socket& socket,
            bool numbered_files, const Interruption& interruption)
        : line_(board, static_cast<std::size_t>(socket.number - 1)),
          chip_(options, {options.dump_flash, options.dump_eeprom, options.trace},
                job_target(options, socket, numbered_files), line_,
                // The job opened them empty: each chip is added to its socket's files.
                platform::OutputMode::Append),
          interruption_(interruption) {}

    bool ready() const override { return chip_.ready(); }
    hid::HidLibrary& library() override { return chip_.library(); }
    ops::Display& display() override { return line_; }
    ops::MemoryReader memory() const override { return connection::chip_memory(chip_.backend()); }
    production::PortEnd finish(const ops::RunEnd& last) override {
        const production::ChipEnd end = chip_.finish(last);
        // A chip a signal stopped carries the process's exit code, as its log line says.
        const int signal = interruption_.signal();
        if (last.outcome == ops::Outcome::Cancelled && signal != 0) {
            return {ops::exit_code_for_signal(signal), end.outcome};
        }
        return {end.exit_code, end.outcome};
    }
    std::string last_message() const override { return line_.last_message(); }

private:
    ProgrammerLine line_;
    production::ChipRun chip_;
    const Interruption& interruption_;
};

std::string serial_text(const std::optional<std::uint64_t>& serial) {
    return serial ? std::to_string(*serial) : "-";
}

}  // namespace

JobDisplay::JobDisplay(const CliOptions& options, const std::vector<production::Socket>& sockets,
                       const std::string& records, bool prompt, bool board,
                       const Interruption& interruption)
    : options_(options),
      interruption_(interruption),
      numbered_files_(sockets.size() > 1),
      prompt_(prompt),
      colour_(platform::is_terminal(stderr) && !std::getenv("NO_COLOR") &&
              platform::enable_escape_codes(stderr)),
      board_shown_(board && platform::is_terminal(stderr) && platform::enable_escape_codes(stderr)),
      board_(stderr, false, options.quiet) {
    state_.records = records;
    for (const production::Socket& socket : sockets) {
        SocketStatus status;
        status.number = socket.number;
        status.name = socket.serial.empty() ? socket.path : socket.serial;
        state_.sockets.push_back(status);
    }
    std::lock_guard lock(mutex_);
    draw_board_locked();
}

std::unique_ptr<production::SocketPort> JobDisplay::port(const production::Socket& socket) {
    return std::make_unique<JobPort>(options_, board_, socket, numbered_files_, interruption_);
}

std::string JobDisplay::socket_name(const production::Socket& socket) const {
    return tr_args("Soquete %1 (%2)", {std::to_string(socket.number),
                                       socket.serial.empty() ? socket.path : socket.serial});
}

SocketStatus& JobDisplay::status(const production::Socket& socket) {
    return state_.sockets[static_cast<std::size_t>(socket.number - 1)];
}

void JobDisplay::erase_board_locked() {
    if (drawn_ > 0) {
        // Up to the board's first line, and everything from there down cleared.
        std::fprintf(stderr, "\x1b[%zuF\x1b[J", drawn_);
        drawn_ = 0;
    }
}

void JobDisplay::draw_board_locked() {
    if (!board_shown_) {
        return;
    }
    erase_board_locked();
    state_.enter_starts = shown_;
    std::sort(state_.enter_starts.begin(), state_.enter_starts.end());
    const std::vector<std::string> lines = board_lines(state_);
    for (const std::string& line : lines) {
        platform::write_text(stderr, line + "\n");
    }
    drawn_ = lines.size();
    std::fflush(stderr);
}

void JobDisplay::write_locked(const std::string& text) {
    erase_board_locked();
    platform::write_text(stderr, text + "\n");
    std::fflush(stderr);
}

void JobDisplay::say(const std::string& text) {
    std::lock_guard lock(mutex_);
    write_locked(text);
    draw_board_locked();
}

std::vector<int> JobDisplay::take_enter_sockets() {
    std::lock_guard lock(mutex_);
    std::vector<int> sockets;
    sockets.swap(shown_);
    draw_board_locked();
    return sockets;
}

void JobDisplay::line_typed() {
    std::lock_guard lock(mutex_);
    if (drawn_ > 0) {
        ++drawn_;
    }
}

void JobDisplay::started_by_key(int number) {
    std::lock_guard lock(mutex_);
    std::erase(shown_, number);
    draw_board_locked();
}

void JobDisplay::chip_started(const production::Socket& socket,
                              std::optional<std::uint64_t> serial) {
    std::lock_guard lock(mutex_);
    status(socket).state = SocketState::Running;
    status(socket).serial = serial;
    if (board_shown_) {
        // The board says it; the lines above keep the chips' results.
        draw_board_locked();
        return;
    }
    if (options_.quiet) {
        return;
    }
    write_locked(socket_name(socket) + ": " +
                 (serial ? tr_args("gravando o chip nº %1...", {std::to_string(*serial)})
                         : tr("gravando o chip...")));
}

void JobDisplay::chip_ended(const production::Socket& socket,
                            const production::ChipResult& result) {
    std::lock_guard lock(mutex_);
    SocketStatus& shown = status(socket);
    shown.state = result.passed ? SocketState::Passed : SocketState::Failed;
    ++(result.passed ? shown.done : shown.failed);
    if (!result.pauses_socket &&
        std::find(shown_.begin(), shown_.end(), socket.number) == shown_.end()) {
        shown_.push_back(socket.number);
    }
    if (options_.quiet && result.passed) {
        draw_board_locked();
        return;
    }
    const std::string word = result.passed ? "PASS" : "FAIL";
    const std::string banner = "  " + word + "  " + socket_name(socket) + "  " +
                               tr_args("nº %1", {serial_text(result.serial)}) + "  ";
    const std::string rule(banner.size() + 4, result.passed ? '=' : '!');
    if (colour_) {
        write_locked(std::string(result.passed ? kGreen : kRed) + "  " + banner + "  " + kPlain);
    } else {
        write_locked(rule);
        write_locked((result.passed ? "||" : "!!") + banner + (result.passed ? "||" : "!!"));
        write_locked(rule);
    }
    if (!result.passed) {
        if (!result.message.empty()) {
            write_locked("    " + result.message);
        }
        write_locked("    " + result.chip_holds);
    }
    if (prompt_ && !board_shown_) {
        write_locked(tr("Enter: próximo chip nos soquetes prontos; K: soquete K; q: encerrar"));
    }
    draw_board_locked();
}

void JobDisplay::socket_paused(const production::Socket& socket) {
    const std::string text =
        tr_args("%1 pausado após %2 falhas seguidas: confira o soquete e tecle %3 para retomar.",
                {socket_name(socket), std::to_string(production::kFailuresBeforePause),
                 std::to_string(socket.number)});
    std::lock_guard lock(mutex_);
    status(socket).state = SocketState::Paused;
    std::erase(shown_, socket.number);
    write_locked(colour_ ? std::string(kYellow) + " " + text + " " + kPlain : text);
    draw_board_locked();
}

void JobDisplay::job_stopping(const std::string& why) {
    say(why + "\n" + tr("O job para depois dos chips em andamento."));
}

void JobDisplay::print_summary(const std::vector<production::Socket>& sockets,
                               const std::vector<production::SocketTally>& tallies) {
    {
        // The table replaces the board: it says the same, once more, to keep.
        std::lock_guard lock(mutex_);
        erase_board_locked();
        board_shown_ = false;
    }
    std::string text =
        tr("Soquete  Gravador      Gravados  Com falha  Primeiro nº  Último nº") + "\n";
    for (std::size_t i = 0; i < sockets.size(); ++i) {
        char row[256];
        std::snprintf(row, sizeof row, "%-7d  %-12s  %8d  %9d  %11s  %9s\n", sockets[i].number,
                      (sockets[i].serial.empty() ? sockets[i].path : sockets[i].serial).c_str(),
                      tallies[i].done, tallies[i].failed,
                      serial_text(tallies[i].first_serial).c_str(),
                      serial_text(tallies[i].last_serial).c_str());
        text += row;
    }
    platform::write_text(stdout, text);
    std::fflush(stdout);
}

}  // namespace vantro::cli
