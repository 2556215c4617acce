// SPDX-License-Identifier: MIT
#include "production/operation_run.h"

#include <algorithm>
#include <string_view>

#include "connection/backend.h"
#include "ops/chip_state.h"
#include "ops/exit_codes.h"

namespace vantro::production {

namespace {

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

}  // namespace

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

int worst_exit_code(const std::vector<ChipEnd>& ends) {
    int code = ops::kExitSuccess;
    for (const ChipEnd& end : ends) {
        code = std::max(code, end.exit_code);
    }
    return code;
}

OperationRun::OperationRun(OperationSettings settings, std::vector<Target> targets,
                           OperationView& view, ChipLog* log)
    : settings_(std::move(settings)), targets_(std::move(targets)), view_(view), log_(log) {
    request_.operation = settings_.operation;
    request_.input = settings_.input;
    request_.timeout = settings_.connection.timeout;
    request_.part = settings_.connection.part;
    request_.model = connection::firmware_model(settings_.connection, targets_.front().path);
    describe(nullptr);
}

void OperationRun::stop_on(std::stop_token stop, std::function<int()> signal) {
    request_.stop = std::move(stop);
    signal_ = std::move(signal);
}

void OperationRun::use_image(std::shared_ptr<const ops::PreparedImage> image) {
    describe(image.get());
    request_.image = std::move(image);
}

void OperationRun::refuse_file(const ops::PreparedImage& image, const std::string& message) {
    describe(&image);
    for (const Target& target : targets_) {
        ChipEnd end;
        end.run.outcome = ops::Outcome::FileRefused;
        end.outcome = end.run.outcome;
        end.exit_code = ops::exit_code_for(end.outcome);
        log_record(target, end, message);
    }
}

int OperationRun::round() {
    const int code = settings_.several ? several_at_once() : one();
    trace_mode_ = platform::OutputMode::Append;
    return code;
}

OperationTally OperationRun::tally() const {
    std::lock_guard lock(tally_mutex_);
    return tally_;
}

int OperationRun::one() {
    view_.round_starting();
    ChipRun chip(settings_.connection, settings_.outputs, targets_.front(), view_.display(0),
                 trace_mode_);
    if (!chip.ready()) {
        view_.not_ready(0);
        return ops::kExitUsage;
    }
    view_.runs_starting();
    ops::RunRequest request = request_;
    request.memory = connection::chip_memory(chip.backend());
    std::vector<ChipEnd> ends{
        chip.finish(ops::run_on_programmer(chip.library(), view_.display(0), request))};
    settle(ends[0]);
    const std::string message = joined(view_.last_message(0), ends[0].chip_state);
    view_.chip_ended(0, ends[0], message);
    record(targets_.front(), ends[0], message);
    view_.round_ended(ends);
    return ends[0].exit_code;
}

int OperationRun::several_at_once() {
    view_.round_starting();
    std::vector<std::unique_ptr<ChipRun>> chips;
    std::vector<ops::ProgrammerJob> jobs;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        chips.push_back(std::make_unique<ChipRun>(settings_.connection, settings_.outputs,
                                                  targets_[i], view_.display(i), trace_mode_));
        if (!chips[i]->ready()) {
            // Every output file is open before anything is sent, or nothing is.
            view_.not_ready(i);
            return ops::kExitUsage;
        }
        jobs.push_back({&chips[i]->library(), &view_.display(i),
                        connection::firmware_model(settings_.connection, targets_[i].path),
                        connection::chip_memory(chips[i]->backend())});
    }
    view_.runs_starting();
    std::vector<ChipEnd> ends(targets_.size());
    ops::run_in_parallel(jobs, request_, [&](std::size_t i, const ops::RunEnd& run) {
        ends[i] = chips[i]->finish(run);
        settle(ends[i]);
        const std::string message = joined(view_.last_message(i), ends[i].chip_state);
        record(targets_[i], ends[i], message);
        view_.chip_ended(i, ends[i], message);
    });
    view_.round_ended(ends);
    return worst_exit_code(ends);
}

void OperationRun::describe(const ops::PreparedImage* image) {
    const bool loaded = image && image->load.status == hex::LoadStatus::Loaded;
    facts_ = run_facts(operation_word(settings_.operation), image ? image->load.path : "",
                       loaded ? &image->load.image : nullptr, settings_.connection.part);
}

// A run a signal stopped ends with the process's exit code; a failed one says
// what it leaves on the chip.
void OperationRun::settle(ChipEnd& end) const {
    if (end.run.outcome == ops::Outcome::Cancelled) {
        if (const int signal = signal_()) {
            end.exit_code = ops::exit_code_for_signal(signal);
        }
        end.chip_state = ops::interrupted_text(request_.operation, end.run.sent);
        return;
    }
    end.chip_state = ops::chip_state_after(request_.operation, end.run.outcome, end.run.sent);
}

// Called from the programmers' threads: the log locks itself, the tally here.
void OperationRun::record(const Target& target, const ChipEnd& end, const std::string& message) {
    {
        std::lock_guard lock(tally_mutex_);
        ++(end.exit_code == ops::kExitSuccess ? tally_.done : tally_.failed);
        if (end.run.outcome == ops::Outcome::Cancelled && end.run.sent) {
            tally_.stopped_after_sending = true;
        }
    }
    log_record(target, end, message);
}

void OperationRun::log_record(const Target& target, const ChipEnd& end,
                              const std::string& message) {
    if (!log_) {
        return;
    }
    log_->write(chip_record(facts_, {std::chrono::system_clock::now(), target.name, target.serial,
                                     end.outcome, end.exit_code, end.run.took, message}));
}

}  // namespace vantro::production
