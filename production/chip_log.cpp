// SPDX-License-Identifier: MIT
#include "production/chip_log.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <nlohmann/json.hpp>
#include <vector>

#include "i18n/system_error.h"
#include "platform/durable_file.h"
#include "platform/local_time.h"
#include "platform/output_file.h"
#include "platform/sha256.h"

namespace vantro::production {
namespace {

nlohmann::json optional_text(const std::optional<std::string>& text) {
    return text ? nlohmann::json(*text) : nlohmann::json(nullptr);
}

void add_job_fields(nlohmann::ordered_json& line, const JobChipFields& job) {
    line["job"] = job.job;
    line["station"] = job.station;
    if (job.operator_name) {
        line["operator"] = *job.operator_name;
    }
    line["version"] = job.version;
    line["sequence"] = job.sequence;
    line["socket"] = job.socket;
    if (job.chip_serial) {
        line["chip_serial"] = *job.chip_serial;
    }
    nlohmann::ordered_json steps = nlohmann::ordered_json::object();
    for (const auto& [step, outcome] : job.steps) {
        steps[step] = outcome;
    }
    line["steps"] = steps;
    line["flash_sha256"] = optional_text(job.flash_sha256);
    line["eeprom_sha256"] = optional_text(job.eeprom_sha256);
    nlohmann::ordered_json bits = nullptr;
    if (job.lock_bits) {
        bits = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < job.lock_bits->size(); ++i) {
            if ((*job.lock_bits)[i]) {
                bits.push_back(i + 1);
            }
        }
    }
    line["lock_bits"] = bits;
    line["chip_holds"] = optional_text(job.chip_holds);
}

}  // namespace

std::unique_ptr<ChipLog> ChipLog::open(const std::string& path, std::string& reason) {
    const int fd = platform::open_output(path, platform::OutputMode::Append);
    if (fd < 0) {
        reason = system_error_text(errno);
        return nullptr;
    }
    return std::unique_ptr<ChipLog>(new ChipLog(fd));
}

ChipLog::~ChipLog() {
    ::close(fd_);
}

bool ChipLog::write_line(const std::string& json) {
    if (!append(json + "\n")) {
        return false;
    }
    // Outside the lock: one socket's wait for the disk never holds another's line.
    // A pipe or a terminal cannot be flushed to a disk, and need not be.
    if (durable_ && !platform::flush_to_disk(fd_) && errno != EINVAL) {
        std::lock_guard lock(mutex_);
        if (!failure_) {
            failure_ = system_error_text(errno != 0 ? errno : EIO);
        }
        return false;
    }
    return true;
}

bool ChipLog::append(const std::string& line) {
    std::lock_guard lock(mutex_);
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t n = ::write(fd_, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (!failure_) {
                failure_ = system_error_text(n < 0 ? errno : EIO);
            }
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::string> ChipLog::failure() const {
    std::lock_guard lock(mutex_);
    return failure_;
}

std::string chip_record_json(const ChipRecord& record) {
    nlohmann::ordered_json line = {
        {"time", iso8601_local(record.time)},
        {"operation", record.operation},
        {"hex_file", optional_text(record.hex_file)},
        {"sha256", optional_text(record.sha256)},
        {"part", optional_text(record.part)},
        {"programmer", record.programmer},
        {"serial", optional_text(record.serial)},
        {"outcome", record.outcome},
        {"exit_code", record.exit_code},
        {"duration_ms", record.duration_ms},
        {"message", optional_text(record.message)},
    };
    if (record.job) {
        add_job_fields(line, *record.job);
    }
    // Paths and messages need not be UTF-8: replace what is not, never throw.
    return line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string iso8601_local(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count() %
        1000;
    const platform::LocalTime local = platform::local_time(seconds);
    const long minutes = local.minutes_east_of_utc;
    char zone[24];  // +hhmm
    std::snprintf(zone, sizeof zone, "%c%02ld%02ld", minutes < 0 ? '-' : '+',
                  std::labs(minutes) / 60, std::labs(minutes) % 60);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local.fields);
    char text[64];
    std::snprintf(text, sizeof text, "%s.%03lld%.3s:%.2s", date,
                  static_cast<long long>(millis < 0 ? millis + 1000 : millis), zone, zone + 3);
    return text;
}

std::string image_sha256(const hex::HexImage& image) {
    std::vector<std::uint8_t> bytes(hex::kCodeSpace);
    for (std::uint32_t address = 0; address < hex::kCodeSpace; ++address) {
        bytes[address] = image.at(address);
    }
    return platform::sha256_hex(bytes);
}

}  // namespace vantro::production
