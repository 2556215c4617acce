// SPDX-License-Identifier: MIT
#include "production/job_run.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <random>

#include "i18n/texts.h"
#include "ops/exit_codes.h"

namespace vantro::production {

namespace {

struct Step {
    const char* name;
    ops::Operation operation;
    std::shared_ptr<const ops::PreparedImage> image;
};

// What a failed chip holds, from the steps that ended well, and what to do with it.
std::string chip_holds_text(const std::vector<Step>& steps, std::size_t failed, bool sent) {
    if (failed == 0 && !sent) {
        return tr("O chip não foi alterado: grave-o de novo.");
    }
    const std::string step = steps[failed].name;
    if (step == "lock") {
        return tr("Memórias gravadas, lock bits incertos: apague e grave o chip de novo.");
    }
    if (step == "eeprom") {
        return tr("EEPROM parcialmente gravada: apague e grave o chip de novo.");
    }
    return tr("FLASH parcialmente gravada: apague e grave o chip de novo.");
}

nlohmann::json optional_number(const std::optional<std::uint64_t>& number) {
    return number ? nlohmann::json(*number) : nlohmann::json(nullptr);
}

// 128 random bits in hex: a run's id, told apart from every other station's.
std::string new_run_id() {
    std::random_device random;
    std::string id;
    for (int i = 0; i < 4; ++i) {
        char part[9];
        std::snprintf(part, sizeof part, "%08x", static_cast<unsigned>(random()));
        id += part;
    }
    return id;
}

}  // namespace

JobRun::JobRun(const JobPlan& plan, std::vector<Socket> sockets, JobView& view, ChipLog& log,
               Records& records, JobSettings settings, std::stop_token stop)
    : plan_(plan),
      sockets_(std::move(sockets)),
      view_(view),
      log_(log),
      records_(records),
      settings_(std::move(settings)),
      stop_(std::move(stop)),
      run_id_(new_run_id()),
      states_(sockets_.size()) {
    // The first chip on every socket at once.
    for (State& state : states_) {
        state.waiting = 1;
    }
    for (std::size_t i = 0; i < sockets_.size(); ++i) {
        threads_.emplace_back([this, i] { serve(i); });
    }
}

JobRun::~JobRun() {
    finish();
}

void JobRun::ask(std::size_t index) {
    State& state = states_[index];
    if (state.paused || closing_ || stopped_) {
        return;
    }
    if (state.running || state.waiting > 0) {
        if (!settings_.queue_starts) {
            return;
        }
    }
    ++state.waiting;
}

void JobRun::start_every_socket() {
    {
        std::lock_guard lock(mutex_);
        for (std::size_t i = 0; i < states_.size(); ++i) {
            ask(i);
        }
    }
    changed_.notify_all();
}

void JobRun::start_sockets(const std::vector<int>& numbers) {
    {
        std::lock_guard lock(mutex_);
        for (const int number : numbers) {
            if (number >= 1 && number <= static_cast<int>(states_.size())) {
                ask(static_cast<std::size_t>(number - 1));
            }
        }
    }
    changed_.notify_all();
}

bool JobRun::start_socket(int number) {
    if (number < 1 || number > static_cast<int>(states_.size())) {
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        State& state = states_[static_cast<std::size_t>(number - 1)];
        if (state.paused && !state.running) {
            state.paused = false;
            state.failures_in_a_row = 0;
        }
        ask(static_cast<std::size_t>(number - 1));
    }
    changed_.notify_all();
    return true;
}

void JobRun::finish() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    for (std::jthread& thread : threads_) {
        if (thread.joinable()) {
            thread.join();
        }
    }
}

bool JobRun::stopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
}

void JobRun::stop_job(const std::string& why) {
    {
        std::lock_guard lock(mutex_);
        if (stopped_) {
            return;
        }
        stopped_ = true;
        worst_exit_code_ = std::max(worst_exit_code_, static_cast<int>(ops::kExitUsage));
        for (State& state : states_) {
            state.waiting = 0;
        }
    }
    changed_.notify_all();
    view_.job_stopping(why);
}

void JobRun::serve(std::size_t index) {
    const Socket& socket = sockets_[index];
    State& state = states_[index];
    for (;;) {
        std::int64_t sequence = 0;
        {
            std::unique_lock lock(mutex_);
            // A start typed ahead still runs after q; none after a stop or a signal.
            changed_.wait(lock, [&] { return state.waiting > 0 || closing_ || stopped_; });
            if (state.waiting == 0 || stopped_ || stop_.stop_requested()) {
                state.waiting = 0;
                changed_.notify_all();
                return;
            }
            --state.waiting;
            state.running = true;
            sequence = ++sequence_;
        }
        ChipResult result = program_chip(socket, sequence);
        bool paused = false;
        {
            std::lock_guard lock(mutex_);
            state.running = false;
            if (result.sequence != 0) {
                worst_exit_code_ = std::max(worst_exit_code_, result.exit_code);
                SocketTally& tally = state.tally;
                ++(result.passed ? tally.done : tally.failed);
                if (result.serial) {
                    tally.first_serial = tally.first_serial.value_or(*result.serial);
                    tally.last_serial = result.serial;
                }
                state.failures_in_a_row = result.passed ? 0 : state.failures_in_a_row + 1;
                if (state.failures_in_a_row >= kFailuresBeforePause) {
                    state.paused = true;
                    state.waiting = 0;
                    paused = true;
                }
            }
        }
        changed_.notify_all();
        if (result.sequence != 0) {
            // Told after the tally, so that what the view asks of the job is current.
            result.pauses_socket = paused;
            view_.chip_ended(socket, result);
        }
        if (paused) {
            if (const auto problem = records_.mark_paused(result.record_id)) {
                stop_job(*problem);
            }
            view_.socket_paused(socket);
        }
    }
}

// The run's facts for one chip: its FLASH (else EEPROM) file and, once known, the
// image written (serial number in).
RunFacts JobRun::job_facts(const hex::HexImage* written) const {
    const JobFile& job = plan_.job();
    const auto& main_image = job.flash ? job.flash : job.eeprom;
    return run_facts("job", main_image ? main_image->file : "", written, job.part);
}

// What is known of the chip before its first report.
ChipRecord JobRun::started_record(const Socket& socket, std::int64_t sequence) const {
    const JobFile& job = plan_.job();
    ChipFacts chip;
    chip.time = std::chrono::system_clock::now();
    chip.programmer = socket.path;
    chip.serial = socket.serial;
    ChipRecord record = chip_record(job_facts(nullptr), chip);
    JobChipFields fields;
    fields.job = job.name;
    fields.station = job.station;
    fields.version = settings_.version;
    fields.sequence = sequence;
    fields.socket = socket.number;
    if (job.flash) {
        fields.flash_sha256 = job.flash->sha256;
    }
    if (job.eeprom) {
        fields.eeprom_sha256 = job.eeprom->sha256;
    }
    fields.lock_bits = job.lock_bits;
    fields.job_sha256 = job.sha256;
    fields.operator_name = settings_.operator_name;
    fields.run_id = run_id_;
    record.job = std::move(fields);
    return record;
}

ChipResult JobRun::program_chip(const Socket& socket, std::int64_t sequence) {
    const JobFile& job = plan_.job();
    ChipResult result;
    result.socket = socket.number;
    // Made before a number is taken: an output that cannot be opened stops the
    // job without spending one, and is not taken for a missing programmer.
    std::unique_ptr<SocketPort> port = view_.port(socket);
    if (!port->ready()) {
        stop_job(port->last_message());
        return result;
    }
    ChipRecord record = started_record(socket, sequence);
    std::optional<SerialTake> take;
    if (job.serial) {
        take = SerialTake{job.serial->step, job.serial->format.largest()};
    }
    // Durable before the chip's first report: a crash never gives it twice, and
    // never leaves a number taken that no record names.
    const StartedChip started = records_.start_chip(record, take);
    if (started.range_ended) {
        // Taken, it would go to a chip that cannot hold it: the job stops instead.
        stop_job(serials_ran_out_text(job.serial->format, started.chip_serial.value_or(0)));
        return result;
    }
    if (!started.problem.empty()) {
        stop_job(started.problem);
        return result;
    }
    result.record_id = started.id;
    result.serial = started.chip_serial;
    record.job->chip_serial = started.chip_serial;
    result.sequence = sequence;
    const auto clock = std::chrono::steady_clock::now();
    view_.chip_started(socket, result.serial);

    std::vector<Step> steps;
    auto images = plan_.images_for(result.serial, socket.model);
    ops::RunEnd last;
    std::size_t failed = 0;
    bool sent = false;
    if (const auto* refusal = std::get_if<std::string>(&images)) {
        result.outcome = ops::Outcome::FileRefused;
        result.exit_code = ops::exit_code_for(result.outcome);
        result.message = *refusal;
    } else {
        const ChipImages& chip = std::get<ChipImages>(images);
        if (chip.flash) {
            steps.push_back({"flash", ops::Operation::Flash, chip.flash});
        }
        if (chip.eeprom) {
            steps.push_back({"eeprom", ops::Operation::Eeprom, chip.eeprom});
        }
        if (job.lock_bits) {
            steps.push_back({"lock", ops::Operation::Lock, nullptr});
        }
        ops::RunRequest request;
        request.timeout = settings_.timeout;
        request.part = job.part;
        request.stop = stop_;
        request.model = socket.model;
        request.memory = port->memory();
        if (job.lock_bits) {
            request.input.lock_bits = {(*job.lock_bits)[0], (*job.lock_bits)[1],
                                       (*job.lock_bits)[2]};
        }
        failed = steps.size();
        for (std::size_t i = 0; i < steps.size(); ++i) {
            request.operation = steps[i].operation;
            request.image = steps[i].image;
            last = ops::run_on_programmer(port->library(), port->display(), request);
            sent = sent || last.sent;
            result.steps.emplace_back(steps[i].name, ops::outcome_word(last.outcome));
            if (last.outcome != ops::Outcome::Success) {
                failed = i;
                break;
            }
        }
        const PortEnd end = port->finish(last);
        result.exit_code = end.exit_code;
        result.outcome = end.outcome;
        result.message = port->last_message();
    }
    result.passed = result.exit_code == 0;
    if (!result.passed) {
        result.chip_holds = steps.empty()
                                ? tr("O chip não foi alterado: grave-o de novo.")
                                : chip_holds_text(steps, std::min(failed, steps.size() - 1), sent);
    }

    const hex::HexImage* written = nullptr;
    if (const auto* chip = std::get_if<ChipImages>(&images)) {
        if (const auto& image = chip->flash ? chip->flash : chip->eeprom) {
            written = &image->load.image;
        }
        if (chip->flash) {
            record.job->written_flash_sha256 = image_sha256(chip->flash->load.image);
        }
        if (chip->eeprom) {
            record.job->written_eeprom_sha256 = image_sha256(chip->eeprom->load.image);
        }
    }
    // The chip's end made into its record; the started row's job fields kept.
    JobChipFields fields = *record.job;
    record = chip_record(job_facts(written),
                         {record.time, socket.path, socket.serial, result.outcome, result.exit_code,
                          std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - clock),
                          result.message});
    record.job = std::move(fields);
    record.job->steps = result.steps;
    if (!result.passed) {
        record.job->chip_holds = result.chip_holds;
    }
    if (const auto problem = records_.finish_chip(started.id, record)) {
        stop_job(*problem);
    }
    if (!log_.write(record)) {
        stop_job(tr_args("Não foi possível gravar o registro \"%1\": %2",
                         {job.log, log_.failure().value_or("")}));
    }
    return result;
}

std::vector<SocketTally> JobRun::tallies() const {
    std::lock_guard lock(mutex_);
    std::vector<SocketTally> tallies;
    for (const State& state : states_) {
        tallies.push_back(state.tally);
    }
    return tallies;
}

std::string JobRun::summary_json() const {
    const JobFile& job = plan_.job();
    nlohmann::ordered_json sockets = nlohmann::ordered_json::array();
    const std::vector<SocketTally> all = tallies();
    for (std::size_t i = 0; i < sockets_.size(); ++i) {
        sockets.push_back({{"socket", sockets_[i].number},
                           {"programmer", sockets_[i].path},
                           {"serial", sockets_[i].serial},
                           {"done", all[i].done},
                           {"failed", all[i].failed},
                           {"first_serial", optional_number(all[i].first_serial)},
                           {"last_serial", optional_number(all[i].last_serial)}});
    }
    const nlohmann::ordered_json line = {{"time", iso8601_local(std::chrono::system_clock::now())},
                                         {"job", job.name},
                                         {"station", job.station},
                                         {"version", settings_.version},
                                         {"summary", sockets}};
    return line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

int JobRun::exit_code() const {
    std::lock_guard lock(mutex_);
    return worst_exit_code_;
}

}  // namespace vantro::production
