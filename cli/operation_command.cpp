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
#include <string_view>
#include <vector>

#include "cli/chip_run.h"
#include "cli/commands.h"
#include "cli/output_clash.h"
#include "cli/production_targets.h"
#include "cli/programmer_board.h"
#include "connection/backend.h"
#include "i18n/texts.h"
#include "ops/chip_state.h"
#include "ops/exit_codes.h"
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

// Characters, not bytes: "não encontrado" takes 14 columns.
std::size_t shown_width(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string padded(const std::string& text, std::size_t width) {
    const std::size_t shown = shown_width(text);
    return shown < width ? text + std::string(width - shown, ' ') : text;
}

// The last message, and after it what the chip holds.
std::string joined(const std::string& message, const std::optional<std::string>& chip_state) {
    if (!chip_state) {
        return message;
    }
    if (message.empty()) {
        return *chip_state;
    }
    // "Erro na gravação" ends without a full stop; the two read as two sentences.
    const bool ended = std::string_view(".!?").find(message.back()) != std::string_view::npos;
    return message + (ended ? " " : ". ") + *chip_state;
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

    void stop_on(const Interruption& interruption) {
        interruption_ = &interruption;
        request_.stop = interruption.stop_token();
    }

    void use_image(std::shared_ptr<const ops::PreparedImage> image) {
        describe(*image);
        request_.image = std::move(image);
    }

    // A file refused before any programmer heard of it: each one's attempt is logged.
    void refuse_file(const ops::PreparedImage& image, const std::string& message) {
        describe(image);
        for (const Target& target : targets_) {
            ChipEnd end;
            end.run.outcome = ops::Outcome::FileRefused;
            end.outcome = ops::Outcome::FileRefused;
            end.exit_code = ops::exit_code_for(end.outcome);
            log_record(target, end, message);
        }
    }

    // One chip on every programmer; the highest exit code among them.
    int round() {
        const int code = options_.several_programmers() ? several_at_once() : one();
        trace_mode_ = platform::OutputMode::Append;
        return code;
    }

    const Tally& tally() const { return tally_; }

private:
    int one() {
        display_.forget_message();
        ChipRun chip(options_, targets_.front(), display_, trace_mode_);
        if (!chip.ready()) {
            return ops::kExitUsage;
        }
        ops::RunRequest request = request_;
        request.memory = connection::chip_memory(chip.backend());
        ChipEnd end = chip.finish(ops::run_on_programmer(chip.library(), display_, request));
        if (end.exit_code != ops::kExitSuccess) {
            display_.print_held_messages();
        }
        settle(end);
        // An interrupted run's last line, said once the run has stopped, tells the same.
        if (end.chip_state && end.run.outcome != ops::Outcome::Cancelled) {
            display_.print_line(*end.chip_state);
        }
        record(targets_.front(), end, joined(display_.last_message(), end.chip_state));
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
            chips.push_back(
                std::make_unique<ChipRun>(options_, targets_[i], *lines[i], trace_mode_));
            if (!chips[i]->ready()) {
                // Every output file is open before anything is sent, or nothing is.
                display_.print_line(lines[i]->last_message());
                return ops::kExitUsage;
            }
            jobs.push_back({&chips[i]->library(), lines[i].get(),
                            connection::firmware_model(options_, targets_[i].path),
                            connection::chip_memory(chips[i]->backend())});
        }
        board_.start(names);
        std::vector<ChipEnd> ends(targets_.size());
        ops::run_in_parallel(jobs, request_, [&](std::size_t i, const ops::RunEnd& run) {
            ends[i] = chips[i]->finish(run);
            settle(ends[i]);
            const std::string message = joined(lines[i]->last_message(), ends[i].chip_state);
            record(targets_[i], ends[i], message);
            const bool failed = ends[i].exit_code != ops::kExitSuccess;
            // A failure's message says why; a lock-bit write tells its result only in one.
            const bool by_message = failed || lines[i]->status().empty();
            board_.ended(i, by_message && !message.empty() ? message : lines[i]->status(), failed);
        });
        board_.finish();
        print_summary(ends);
        int code = ops::kExitSuccess;
        for (const ChipEnd& end : ends) {
            code = std::max(code, end.exit_code);
        }
        return code;
    }

    void describe(const ops::PreparedImage& image) {
        hex_file_ = platform::utf8_from_path(
            std::filesystem::absolute(platform::path_from_utf8(image.load.path)));
        if (image.load.status == hex::LoadStatus::Loaded) {
            sha256_ = image_sha256(image.load.image);
        }
    }

    // A run a signal stopped ends with the process's exit code; a failed one says
    // what it leaves on the chip.
    void settle(ChipEnd& end) const {
        if (end.run.outcome == ops::Outcome::Cancelled) {
            if (const int signal = interruption_->signal()) {
                end.exit_code = ops::exit_code_for_signal(signal);
            }
            end.chip_state = ops::interrupted_text(request_.operation, end.run.sent);
            return;
        }
        end.chip_state = ops::chip_state_after(request_.operation, end.run.outcome, end.run.sent);
    }

    // Called from the programmers' threads: the log locks itself, the tally here.
    void record(const Target& target, const ChipEnd& end, const std::string& message) {
        {
            std::lock_guard lock(tally_mutex_);
            ++(end.exit_code == ops::kExitSuccess ? tally_.done : tally_.failed);
            if (end.run.outcome == ops::Outcome::Cancelled && end.run.sent) {
                tally_.stopped_after_sending = true;
            }
        }
        log_record(target, end, message);
    }

    void log_record(const Target& target, const ChipEnd& end, const std::string& message) {
        if (!log_) {
            return;
        }
        ChipRecord record;
        record.time = std::chrono::system_clock::now();
        record.operation = operation_word(request_.operation);
        if (!hex_file_.empty()) {
            record.hex_file = hex_file_;
        }
        if (!sha256_.empty()) {
            record.sha256 = sha256_;
        }
        record.programmer = target.name;
        record.serial = target.serial;
        if (options_.part) {
            record.part = std::string(options_.part->name);
        }
        record.outcome = ops::outcome_word(end.outcome);
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
        std::size_t width = shown_width(tr("Gravador"));
        for (const Target& target : targets_) {
            width = std::max(width, shown_width(target.name));
        }
        const auto row = [width](const std::string& programmer, const std::string& outcome,
                                 const std::string& time, const std::string& chip) {
            std::string line = padded(programmer, width) + "  " + padded(outcome, 16) + "  ";
            line += chip.empty() ? time : padded(time, 8) + "  " + chip;
            platform::write_text(stdout, line + "\n");
        };
        row(tr("Gravador"), tr("Resultado"), tr("Tempo"), tr("Chip"));
        for (std::size_t i = 0; i < ends.size(); ++i) {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.2f s",
                          static_cast<double>(ends[i].run.took.count()) / 1000.0);
            row(targets_[i].name, ops::outcome_text(ends[i].outcome), seconds,
                ends[i].chip_state.value_or(""));
        }
        std::fflush(stdout);
    }

    const CliOptions& options_;
    TerminalDisplay& display_;
    const Interruption* interruption_ = nullptr;
    std::vector<Target> targets_;
    ChipLog* log_;
    ProgrammerBoard board_;
    ops::RunRequest request_;
    std::string hex_file_;  // the image's, absolute, and its hash: the same in every record
    std::string sha256_;
    std::mutex tally_mutex_;
    Tally tally_;
    // The first chip's trace starts the file afresh; the next chips' are added to it.
    platform::OutputMode trace_mode_ = platform::OutputMode::Truncate;
};

// Enter: one more chip; q, Q or the end of the input (Ctrl-D, Ctrl-Z on Windows):
// stop; anything else asks again. Keys typed during the run are no answer: a
// stray Enter would start the next round on the same chips.
bool another_chip() {
    platform::discard_typed_input();
    for (;;) {
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
        answer.erase(answer.find_last_not_of(" \t\r") + 1);
        answer.erase(0, answer.find_first_not_of(" \t"));
        if (answer.empty()) {
            return true;
        }
        if (answer == "q" || answer == "Q") {
            return false;
        }
    }
}

std::string count_text(const Tally& tally) {
    return tr_args("Chips: %1 gravados, %2 com falha",
                   {std::to_string(tally.done), std::to_string(tally.failed)});
}

}  // namespace

int run_operation(const CliOptions& options, ops::Operation operation, TerminalDisplay& display,
                  Interruption& interruption) {
    std::vector<Target> targets = production_targets(options);
    if (targets.empty()) {
        display.print_line(no_programmer_text());
        return ops::kExitNoDevice;
    }
    if (const auto clash = output_clash(options, targets)) {
        display.print_line(*clash);
        return ops::kExitUsage;
    }
    std::unique_ptr<ChipLog> log;
    if (options.log) {
        std::string reason;
        log = ChipLog::open(*options.log, reason);
        if (!log) {
            display.print_line(
                tr_args("Não foi possível abrir o registro \"%1\": %2", {*options.log, reason}));
            return ops::kExitUsage;
        }
    }
    // The first programmer's firmware judges the shared image; one whose firmware
    // differs judges it again before its run.
    const firmware::FirmwareModel first_model =
        connection::firmware_model(options, targets.front().path);
    Production production(options, operation, display, std::move(targets), log.get());
    production.stop_on(interruption);
    // The file is loaded and checked once, before any programmer hears of it, and
    // what it holds is said before anything is sent.
    if (operation == ops::Operation::Flash || operation == ops::Operation::Eeprom) {
        ops::PrepareSettings settings;
        settings.mode =
            operation == ops::Operation::Flash ? hex::Memory::Flash : hex::Memory::Eeprom;
        settings.part = options.part;
        settings.model = first_model;
        auto image = ops::prepare(options.hex_file, settings);
        if (image->load.status == hex::LoadStatus::Loaded) {
            for (const std::string& warning : hex::load_warnings(image->load)) {
                display.print_line(warning);
            }
        }
        if (!image->ready()) {
            const std::string refusal = image->refusal.value_or(image->load.message);
            display.print_line(refusal);
            production.refuse_file(*image, refusal);
            return ops::kExitUsage;
        }
        production.use_image(std::move(image));
    }

    // A signal stops a round, nothing more is sent, and the program ends saying what
    // the chip holds; between rounds it ends the program at once.
    int code = ops::kExitSuccess;
    for (;;) {
        if (!interruption.begin_run(ops::interrupted_text(operation, true))) {
            wait_for_the_end();
        }
        code = std::max(code, production.round());
        if (const int signal = interruption.end_run()) {
            display.print_line(
                ops::interrupted_text(operation, production.tally().stopped_after_sending));
            return ops::exit_code_for_signal(signal);
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
            code = std::max(code, static_cast<int>(ops::kExitUsage));
        }
    }
    return code;
}

}  // namespace vantro::cli
