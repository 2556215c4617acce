// SPDX-License-Identifier: MIT
#include "production/job_records.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "i18n/texts.h"
#include "platform/utf8.h"
#include "production/serial_counter.h"

namespace vantro::production {

namespace {

// The number the job's range starts at on first use, from its old counter or `first`.
OrProblem<std::uint64_t> first_use_serial(const JobFile& job, bool& from_counter) {
    from_counter = false;
    if (job.serial->counter.empty()) {
        return job.serial->first;
    }
    const CounterRead counter = read_counter(job.serial->counter);
    if (!counter.problem.empty()) {
        return job.problem("serial.counter", counter.problem);
    }
    from_counter = counter.next.has_value();
    return counter.next.value_or(job.serial->first);
}

}  // namespace

std::optional<std::uint64_t> highest_logged_serial(const std::string& log,
                                                   const std::string& name) {
    const std::filesystem::path path = platform::path_from_utf8(log);
    std::error_code error;
    // A FIFO or a terminal as log holds nothing to read back, and would block.
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::optional<std::uint64_t> highest;
    for (std::string line; std::getline(in, line);) {
        const auto record = nlohmann::json::parse(line, nullptr, false);
        if (!record.is_object()) {
            continue;
        }
        const auto job = record.find("job");
        const auto serial = record.find("chip_serial");
        if (job != record.end() && *job == name && serial != record.end() &&
            serial->is_number_unsigned()) {
            highest = std::max(highest.value_or(0), serial->get<std::uint64_t>());
        }
    }
    return highest;
}

OrProblem<JobRecords> open_job_records(const JobFile& job, RecordsAccess access) {
    JobRecords ready;
    const bool missing_file = !is_records_url(job.records) &&
                              !std::filesystem::exists(platform::path_from_utf8(job.records));
    if (access == RecordsAccess::Write || !missing_file) {
        auto opened = open_records(job.records, access);
        if (auto* problem = std::get_if<std::string>(&opened)) {
            return *problem;
        }
        ready.records = std::move(std::get<std::unique_ptr<Records>>(opened));
    }
    if (!job.serial) {
        return ready;
    }
    std::optional<std::uint64_t> next;
    if (ready.records) {
        auto read = ready.records->next_serial(job.name);
        if (auto* problem = std::get_if<std::string>(&read)) {
            return *problem;
        }
        next = std::get<std::optional<std::uint64_t>>(read);
    }
    bool from_counter = false;
    const bool first_use = !next;
    if (first_use) {
        auto seed = first_use_serial(job, from_counter);
        if (auto* problem = std::get_if<std::string>(&seed)) {
            return *problem;
        }
        next = std::get<std::uint64_t>(seed);
    }
    const auto highest = highest_logged_serial(job.log, job.name);
    if (highest && *next <= *highest) {
        return tr_args(
            "A base de registros \"%1\" não tem os números já dados pelo job \"%2\": o "
            "registro \"%3\" nomeia números até %4. Restaure a base (ou o contador) "
            "antes de continuar; nenhum número foi dado.",
            {job.records, job.name, job.log, std::to_string(*highest)});
    }
    if (first_use && access == RecordsAccess::Write) {
        auto seeded = ready.records->seed_range(job.name, *next);
        if (auto* problem = std::get_if<std::string>(&seeded)) {
            return *problem;
        }
        next = std::get<std::uint64_t>(seeded);
        if (from_counter) {
            ready.notice = tr_args(
                "O contador \"%1\" passou para a base de registros \"%2\": o próximo número "
                "é %3; daqui em diante a base é a referência (o contador não muda mais).",
                {job.serial->counter, job.records, std::to_string(*next)});
        }
    }
    ready.next_serial = next;
    return ready;
}

}  // namespace vantro::production
