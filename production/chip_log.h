// SPDX-License-Identifier: MIT
#pragma once
// The chip log: one JSON object per line for each operation on each programmer
// (--log) or each chip of a production job, appended and flushed as it ends.

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "hex/hex_image.h"
#include "production/chip_record.h"

namespace vantro::production {

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
