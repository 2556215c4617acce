// SPDX-License-Identifier: MIT
#pragma once
// The chip log: one JSON object per line for each operation on each programmer
// (--log) or each chip of a production job, appended and flushed as it ends.

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hex/hex_image.h"

namespace vantro::production {

// What a production job's line adds to a chip's record.
struct JobChipFields {
    std::string job;
    std::string station;
    std::string version;
    std::int64_t sequence = 0;  // the chip's number in the shift, from 1
    int socket = 0;
    std::optional<std::uint64_t> chip_serial;
    std::vector<std::pair<std::string, std::string>> steps;  // step, its outcome
    std::optional<std::string> flash_sha256;                 // the job's files, as pinned
    std::optional<std::string> eeprom_sha256;
    std::optional<std::array<bool, 3>> lock_bits;
    std::optional<std::string> chip_holds;  // on failure: what the chip holds now
    std::optional<std::string> operator_name;
};

struct ChipRecord {
    std::chrono::system_clock::time_point time;
    std::string operation;  // erase, flash, eeprom, lock
    std::optional<std::string> hex_file;
    std::optional<std::string> sha256;
    std::optional<std::string> part;
    std::string programmer;  // path
    std::optional<std::string> serial;
    std::string outcome;
    int exit_code = 0;
    std::int64_t duration_ms = 0;
    std::optional<std::string> message;
    std::optional<JobChipFields> job;
};

// The JSON line of a record, without its newline.
std::string chip_record_json(const ChipRecord& record);

class ChipLog {
public:
    // Opens for appending, without blocking (a FIFO with no reader is refused).
    // Nothing, and reason set to the system's reason, when it cannot be opened.
    static std::unique_ptr<ChipLog> open(const std::string& path, std::string& reason);
    ~ChipLog();
    ChipLog(const ChipLog&) = delete;
    ChipLog& operator=(const ChipLog&) = delete;

    // Thread-safe; each record is one write of one line. False when it failed.
    bool write(const ChipRecord& record) { return write_line(chip_record_json(record)); }
    // One JSON line of any kind, as write does. With durable, also flushed to the disk.
    bool write_line(const std::string& json);
    void set_durable(bool durable) { durable_ = durable; }
    // The reason of the first failed write, if any.
    std::optional<std::string> failure() const;

private:
    explicit ChipLog(int fd) : fd_(fd) {}
    // The line in one write, under the lock; false (failure_ set) when it failed.
    bool append(const std::string& line);

    const int fd_;
    mutable std::mutex mutex_;
    std::optional<std::string> failure_;
    bool durable_ = false;
};

// Local time in ISO 8601 with milliseconds and the zone: 2026-12-07T17:03:12.345+01:00.
std::string iso8601_local(std::chrono::system_clock::time_point time);
// SHA-256, in lower-case hex, of the 64 KiB the image fills (0xFF where it gives
// nothing): what sha256sum says of an emulated FLASH dump after a good run.
std::string image_sha256(const hex::HexImage& image);

}  // namespace vantro::production
