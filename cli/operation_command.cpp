// SPDX-License-Identifier: MIT
// erase, flash, eeprom and lock: on one programmer, or on several at once; once,
// or chip after chip with --repeat; each chip logged with --log.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/chip_run.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/production_targets.h"
#include "cli/programmer_board.h"
#include "connection/backend.h"
#include "i18n/texts.h"
#include "platform/console.h"
#include "platform/utf8.h"
#include "production/chip_log.h"

namespace vantro::cli {

namespace {

using production::ChipLog;
using production::ChipRecord;
using production::image_sha256;

const char* operation_word(ops::Operation operation) {
    switch (operation) {
        case ops::Operation::Flash:
            return "flash";
        case ops::Operation::Eeprom:
            return "eeprom";
        case ops::Operation::Lock:
            return "lock";
        case ops::Operation::Erase:
            break;
    }
    return "erase";
}

struct Tally {
    int done = 0;
    int failed = 0;
    bool stopped_after_sending = false;  // a run was interrupted after it wrote a report
};

// What an interrupted run leaves on the chip.
std::string interrupted_text(ops::Operation operation, bool sent) {
    if (!sent) {
        return tr("Interrompido.");
    }
    switch (operation) {
        case ops::Operation::Erase:
            return tr("Interrompido: o apagamento pode não ter terminado; apague de novo.");
        case ops::Operation::Lock:
            return tr("Interrompido: não se sabe se os lock bits foram gravados.");
        case ops::Operation::Flash:
        case ops::Operation::Eeprom:
            break;
    }
    return tr("Interrompido: o chip ficou parcialmente gravado; apague e grave de novo.");
}

// One command's chips: the programmers, the shared image, the log and the counts.
class Production {
public:
    Production(const CliOptions& options, ops::Operation operation, TerminalDisplay& display,
               std::vector<Target> targets, ChipLog* log)
        : options_(options),
          display_(display),
          targets_(std::move(targets)),
          log_(log),
          board_(stderr, display.progress_bar() && platform::enable_escape_codes(stderr),
                 options.quiet) {
        request_.operation = operation;
        request_.input = {options.hex_file, options.lock_bits};
        request_.timeout = options.timeout;
        request_.part = options.part;
        request_.model = connection::firmware_model(options, targets_.front().path);
    }

    void stop_on(std::stop_token stop) { request_.stop = std::move(stop); }

    void use_image(std::shared_ptr<const ops::PreparedImage> image) {
        request_.image = std::move(image);
        if (request_.image) {
            hex_file_ = platform::utf8_from_path(
                std::filesystem::absolute(platform::path_from_utf8(request_.image->load.path)));
            sha256_ = image_sha256(request_.image->load.image);
        }
    }

    // One chip on every programmer; the highest exit code among them.
    int round() { return options_.several_programmers() ? several_at_once() : one(); }

    const Tally& tally() const { return tally_; }

private:
    int one() {
        display_.forget_message();
        ChipRun chip(options_, targets_.front(), display_);
        if (!chip.ready()) {
            return kExitUsage;
        }
        ops::RunRequest request = request_;
        request.memory = connection::chip_memory(chip.backend());
        const ChipEnd end = chip.finish(ops::run_on_programmer(chip.library(), display_, request));
        if (end.exit_code != kExitSuccess) {
            display_.print_held_messages();
        }
        record(targets_.front(), end, display_.last_message());
        return end.exit_code;
    }

    int several_at_once() {
        std::vector<std::string> names;
        std::vector<std::unique_ptr<ProgrammerLine>> lines;
        std::vector<std::unique_ptr<ChipRun>> chips;
        std::vector<ops::ProgrammerJob> jobs;
        for (std::size_t i = 0; i < targets_.size(); ++i) {
            names.push_back(targets_[i].name);
            lines.push_back(std::make_unique<ProgrammerLine>(board_, i));
            chips.push_back(std::make_unique<ChipRun>(options_, targets_[i], *lines[i]));
            if (!chips[i]->ready()) {
                // Every output file is open before anything is sent, or nothing is.
                display_.print_line(lines[i]->last_message());
                return kExitUsage;
            }
            jobs.push_back({&chips[i]->library(), lines[i].get(),
                            connection::firmware_model(options_, targets_[i].path),
                            connection::chip_memory(chips[i]->backend())});
        }
        board_.start(names);
        std::vector<ChipEnd> ends(targets_.size());
        ops::run_in_parallel(jobs, request_, [&](std::size_t i, const ops::RunEnd& run) {
            ends[i] = chips[i]->finish(run);
            const std::string& message = lines[i]->last_message();
            record(targets_[i], ends[i], message);
            const bool failed = ends[i].exit_code != kExitSuccess;
            // A failure's message says why; a lock-bit write tells its result only in one.
            const bool by_message = failed || lines[i]->status().empty();
            board_.ended(i, by_message && !message.empty() ? message : lines[i]->status(), failed);
        });
        board_.finish();
        print_summary(ends);
        int code = kExitSuccess;
        for (const ChipEnd& end : ends) {
            code = std::max(code, end.exit_code);
        }
        return code;
    }

    // Called from the programmers' threads: the log locks itself, the tally here.
    void record(const Target& target, const ChipEnd& end, const std::string& message) {
        {
            std::lock_guard lock(tally_mutex_);
            ++(end.exit_code == kExitSuccess ? tally_.done : tally_.failed);
            if (end.run.outcome == ops::Outcome::Cancelled && end.run.sent) {
                tally_.stopped_after_sending = true;
            }
        }
        if (!log_) {
            return;
        }
        ChipRecord record;
        record.time = std::chrono::system_clock::now();
        record.operation = operation_word(request_.operation);
        if (request_.image) {
            record.hex_file = hex_file_;
            record.sha256 = sha256_;
        }
        record.programmer = target.name;
        record.serial = target.serial;
        if (options_.part) {
            record.part = std::string(options_.part->name);
        }
        record.outcome = end.outcome;
        record.exit_code = end.exit_code;
        record.duration_ms = end.run.took.count();
        if (!message.empty()) {
            record.message = message;
        }
        log_->write(record);
    }

    void print_summary(const std::vector<ChipEnd>& ends) const {
        if (options_.quiet) {
            return;
        }
        std::size_t width = tr("Gravador").size();
        for (const Target& target : targets_) {
            width = std::max(width, target.name.size());
        }
        const auto row = [width](const std::string& programmer, const std::string& outcome,
                                 const std::string& time) {
            const int size = std::snprintf(nullptr, 0, "%-*s  %-14s  %s\n", static_cast<int>(width),
                                           programmer.c_str(), outcome.c_str(), time.c_str());
            std::string line(static_cast<std::size_t>(size) + 1, '\0');
            std::snprintf(line.data(), line.size(), "%-*s  %-14s  %s\n", static_cast<int>(width),
                          programmer.c_str(), outcome.c_str(), time.c_str());
            line.pop_back();
            platform::write_text(stdout, line);
        };
        row(tr("Gravador"), tr("Resultado"), tr("Tempo"));
        for (std::size_t i = 0; i < ends.size(); ++i) {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.2f s",
                          static_cast<double>(ends[i].run.took.count()) / 1000.0);
            row(targets_[i].name, ends[i].outcome, seconds);
        }
        std::fflush(stdout);
    }

    const CliOptions& options_;
    TerminalDisplay& display_;
    std::vector<Target> targets_;
    ChipLog* log_;
    ProgrammerBoard board_;
    ops::RunRequest request_;
    std::string hex_file_;  // the image's, absolute, and its hash: the same in every record
    std::string sha256_;
    std::mutex tally_mutex_;
    Tally tally_;
};

// Enter: one more chip; q, Q or the end of the input (Ctrl-D, Ctrl-Z on Windows): stop.
bool another_chip() {
    platform::write_text(stderr, tr("Enter: próximo chip; q: parar "));
    std::fflush(stderr);
    std::string answer;
    const bool answered = static_cast<bool>(std::getline(std::cin, answer));
    // A terminal echoed the user's Enter; from a pipe the next line starts here.
    if (!answered || !platform::is_terminal(stdin)) {
        std::fputc('\n', stderr);
    }
    if (!answered) {
        return false;
    }
    return answer.empty() || (answer.front() != 'q' && answer.front() != 'Q');
}

std::string count_text(const Tally& tally) {
    return tr_args("Chips: %1 gravados, %2 com falha",
                   {std::to_string(tally.done), std::to_string(tally.failed)});
}

}  // namespace

int run_operation(const CliOptions& options, ops::Operation operation, TerminalDisplay& display,
                  Interruption& interruption) {
    std::unique_ptr<ChipLog> log;
    if (options.log) {
        std::string reason;
        log = ChipLog::open(*options.log, reason);
        if (!log) {
            display.print_line(
                tr_args("Não foi possível abrir o registro \"%1\": %2", {*options.log, reason}));
            return kExitUsage;
        }
    }
    std::vector<Target> targets = production_targets(options);
    if (targets.empty()) {
        display.print_line(no_programmer_text());
        return kExitNoDevice;
    }
    // The first programmer's firmware judges the shared image; one whose firmware
    // differs judges it again before its run.
    const firmware::FirmwareModel first_model =
        connection::firmware_model(options, targets.front().path);
    Production production(options, operation, display, std::move(targets), log.get());
    production.stop_on(interruption.stop_token());
    // A production run loads and checks its file once, before any programmer hears
    // of it; a plain single run does what it always did: it loads the file itself.
    const bool production_run = options.several_programmers() || options.repeat || options.log;
    if (production_run &&
        (operation == ops::Operation::Flash || operation == ops::Operation::Eeprom)) {
        ops::PrepareSettings settings;
        settings.mode =
            operation == ops::Operation::Flash ? hex::PackMode::Flash : hex::PackMode::Eeprom;
        settings.part = options.part;
        settings.model = first_model;
        auto image = ops::prepare(options.hex_file, settings);
        if (!image->ready()) {
            display.print_line(image->refusal.value_or(image->load.message));
            return kExitUsage;
        }
        production.use_image(std::move(image));
    }

    // A signal stops a round, nothing more is sent, and the program ends saying what
    // the chip holds; between rounds it ends the program at once.
    int code = kExitSuccess;
    for (;;) {
        if (!interruption.begin_run(interrupted_text(operation, true))) {
            wait_for_the_end();
        }
        code = std::max(code, production.round());
        if (const int signal = interruption.end_run()) {
            display.print_line(
                interrupted_text(operation, production.tally().stopped_after_sending));
            return exit_code_for_signal(signal);
        }
        if (!options.repeat) {
            break;
        }
        display.print_line(count_text(production.tally()));
        if (!another_chip()) {
            break;
        }
    }
    if (options.repeat) {
        const Tally& tally = production.tally();
        display.print_line(tr_args("Total: %1 chips (%2 gravados, %3 com falha)",
                                   {std::to_string(tally.done + tally.failed),
                                    std::to_string(tally.done), std::to_string(tally.failed)}));
    }
    if (log) {
        if (const auto failure = log->failure()) {
            display.print_line(
                tr_args("Não foi possível gravar o arquivo \"%1\": %2", {*options.log, *failure}));
            code = std::max(code, static_cast<int>(kExitUsage));
        }
    }
    return code;
}

}  // namespace vantro::cli
