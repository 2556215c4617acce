// SPDX-License-Identifier: MIT
#pragma once
// --log FILE: one JSON object per line for each operation on each programmer,
// appended and flushed as that programmer's run ends.

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "hex/hex_image.h"

namespace vantro::cli {

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
};

class ChipLog {
public:
    // Opens for appending, without blocking (a FIFO with no reader is refused).
    // Nothing, and reason set to the system's reason, when it cannot be opened.
    static std::unique_ptr<ChipLog> open(const std::string& path, std::string& reason);
    ~ChipLog();
    ChipLog(const ChipLog&) = delete;
    ChipLog& operator=(const ChipLog&) = delete;

    // Thread-safe; each record is one write of one line.
    void write(const ChipRecord& record);
    // The reason of the first failed write, if any.
    std::optional<std::string> failure() const;

private:
    explicit ChipLog(int fd) : fd_(fd) {}

    const int fd_;
    mutable std::mutex mutex_;
    std::optional<std::string> failure_;
};

// The JSON line of a record, without its newline.
std::string chip_record_json(const ChipRecord& record);
// Local time in ISO 8601 with milliseconds and the zone: 2026-12-07T17:03:12.345+01:00.
std::string iso8601_local(std::chrono::system_clock::time_point time);
// SHA-256, in lower-case hex, of the 64 KiB the image fills (0xFF where it gives
// nothing): what sha256sum says of an emulated FLASH dump after a good run.
std::string image_sha256(const hex::HexImage& image);

}  // namespace vantro::cli
