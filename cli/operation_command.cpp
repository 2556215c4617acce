// SPDX-License-Identifier: MIT
// erase, flash, eeprom and lock: on one programmer, or on several at once; once,
// or chip after chip with --repeat; each chip logged with --log.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/output_clash.h"
#include "cli/programmer_board.h"
#include "cli/prompt_line.h"
#include "connection/backend.h"
#include "i18n/texts.h"
#include "ops/chip_state.h"
#include "ops/exit_codes.h"
#include "platform/console.h"
#include "production/chip_log.h"
#include "production/operation_run.h"
#include "production/production_targets.h"

namespace vantro::cli {

namespace {

using production::ChipEnd;
using production::ChipLog;
using production::Target;

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

// One programmer: its messages as they come, on the terminal's display.
class OneProgrammerView : public production::OperationView {
public:
    explicit OneProgrammerView(TerminalDisplay& display) : display_(display) {}

    void round_starting() override { display_.forget_message(); }
    ops::Display& display(std::size_t) override { return display_; }
    std::string last_message(std::size_t) const override { return display_.last_message(); }
    void not_ready(std::size_t) override {}
    void runs_starting() override {}
    void chip_ended(std::size_t, const ChipEnd& end, const std::string&) override {
        if (end.exit_code != ops::kExitSuccess) {
            display_.print_held_messages();
        }
        // An interrupted run's last line, said once the run has stopped, tells the same.
        if (end.chip_state && end.run.outcome != ops::Outcome::Cancelled) {
            display_.print_line(*end.chip_state);
        }
    }
    void round_ended(const std::vector<ChipEnd>&) override {}

private:
    TerminalDisplay& display_;
};

// Several programmers: a line each on the board, then a table of the round.
class SeveralProgrammersView : public production::OperationView {
public:
    SeveralProgrammersView(const CliOptions& options, TerminalDisplay& display,
                           std::vector<std::string> names)
        : options_(options),
          display_(display),
          names_(std::move(names)),
          board_(stderr, display.progress_bar() && platform::enable_escape_codes(stderr),
                 options.quiet) {}

    void round_starting() override {
        lines_.clear();
        for (std::size_t i = 0; i < names_.size(); ++i) {
            lines_.push_back(std::make_unique<ProgrammerLine>(board_, i));
        }
    }
    ops::Display& display(std::size_t i) override { return *lines_[i]; }
    std::string last_message(std::size_t i) const override { return lines_[i]->last_message(); }
    void not_ready(std::size_t i) override { display_.print_line(lines_[i]->last_message()); }
    void runs_starting() override { board_.start(names_); }
    void chip_ended(std::size_t i, const ChipEnd& end, const std::string& message) override {
        const bool failed = end.exit_code != ops::kExitSuccess;
        // A failure's message says why; a lock-bit write tells its result only in one.
        const bool by_message = failed || lines_[i]->status().empty();
        board_.ended(i, by_message && !message.empty() ? message : lines_[i]->status(), failed);
    }
    void round_ended(const std::vector<ChipEnd>& ends) override {
        board_.finish();
        print_summary(ends);
    }

private:
    void print_summary(const std::vector<ChipEnd>& ends) const {
        if (options_.quiet) {
            return;
        }
        std::size_t width = shown_width(tr("Gravador"));
        for (const std::string& name : names_) {
            width = std::max(width, shown_width(name));
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
            row(names_[i], ops::outcome_text(ends[i].outcome), seconds,
                ends[i].chip_state.value_or(""));
        }
        std::fflush(stdout);
    }

    const CliOptions& options_;
    TerminalDisplay& display_;
    std::vector<std::string> names_;
    ProgrammerBoard board_;
    std::vector<std::unique_ptr<ProgrammerLine>> lines_;
};

// Enter: one more chip; q, Q or the end of the input (Ctrl-D, Ctrl-Z on Windows):
// stop; anything else asks again. Keys typed during the run are no answer: a
// stray Enter would start the next round on the same chips.
bool another_chip() {
    platform::discard_typed_input();
    for (;;) {
        const auto answer = prompt_line(tr("Enter: próximo chip; q: parar "));
        if (!answer || *answer == "q" || *answer == "Q") {
            return false;
        }
        if (answer->empty()) {
            return true;
        }
    }
}

std::string count_text(const production::OperationTally& tally) {
    return tr_args("Chips: %1 gravados, %2 com falha",
                   {std::to_string(tally.done), std::to_string(tally.failed)});
}

}  // namespace

int run_operation(const CliOptions& options, ops::Operation operation, TerminalDisplay& display,
                  Interruption& interruption) {
    std::vector<Target> targets =
        production::production_targets(options, options.all, options.log.has_value());
    if (targets.empty()) {
        display.print_line(production::no_programmer_text());
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
    std::unique_ptr<production::OperationView> view;
    if (options.several_programmers()) {
        std::vector<std::string> names;
        for (const Target& target : targets) {
            names.push_back(target.name);
        }
        view = std::make_unique<SeveralProgrammersView>(options, display, std::move(names));
    } else {
        view = std::make_unique<OneProgrammerView>(display);
    }
    production::OperationRun production({operation,
                                         {options.hex_file, options.lock_bits},
                                         options,
                                         {options.dump_flash, options.dump_eeprom, options.trace},
                                         options.several_programmers()},
                                        std::move(targets), *view, log.get());
    production.stop_on(interruption.stop_token(),
                       [&interruption] { return interruption.signal(); });
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
        const production::OperationTally tally = production.tally();
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
