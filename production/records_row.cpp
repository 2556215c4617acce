// SPDX-License-Identifier: MIT
#include "production/records_row.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "production/chip_log.h"

namespace vantro::production {

namespace {

std::size_t column_index(std::string_view column) {
    for (std::size_t i = 0; i < kAttemptColumns.size(); ++i) {
        if (column == kAttemptColumns[i].name) {
            return i;
        }
    }
    throw std::logic_error("no such column");
}

std::optional<std::string> number(std::optional<std::uint64_t> value) {
    return value ? std::optional(std::to_string(*value)) : std::nullopt;
}

std::string json_text(const nlohmann::ordered_json& json) {
    return json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace

const std::optional<std::string>& AttemptRow::operator[](std::string_view column) const {
    return values.at(column_index(column));
}

std::optional<std::int64_t> AttemptRow::integer(std::string_view column) const {
    const std::optional<std::string>& text = (*this)[column];
    std::int64_t value = 0;
    if (!text ||
        std::from_chars(text->data(), text->data() + text->size(), value).ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

AttemptRow attempt_row(const ChipRecord& record, std::string_view state) {
    const JobChipFields job = record.job.value_or(JobChipFields{});
    nlohmann::ordered_json steps = nlohmann::ordered_json::object();
    for (const auto& [step, outcome] : job.steps) {
        steps[step] = outcome;
    }
    std::optional<std::string> lock_bits;
    if (job.lock_bits) {
        nlohmann::ordered_json bits = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < job.lock_bits->size(); ++i) {
            if ((*job.lock_bits)[i]) {
                bits.push_back(i + 1);
            }
        }
        lock_bits = json_text(bits);
    }
    const bool ended = state != kStarted;
    AttemptRow row;
    row.values = {
        job.job,
        number(job.chip_serial),
        std::to_string(job.attempt),
        std::string(state),
        iso8601_local(record.time),
        job.job_sha256,
        job.station,
        job.operator_name,
        job.run_id,
        std::to_string(job.sequence),
        std::to_string(job.socket),
        record.programmer,
        record.serial,
        record.part,
        job.version,
        record.hex_file,
        record.sha256,
        job.flash_sha256,
        job.eeprom_sha256,
        job.written_flash_sha256,
        job.written_eeprom_sha256,
        json_text(steps),
        lock_bits,
        job.chip_holds,
        record.message,
        ended ? std::optional(std::to_string(record.duration_ms)) : std::nullopt,
        ended ? std::optional(std::to_string(record.exit_code)) : std::nullopt,
        "0",
    };
    return row;
}

}  // namespace vantro::production
