// SPDX-License-Identifier: MIT
#pragma once
// The job file: one TOML file fixes what every chip of a production job gets
// (part, images with their SHA-256, lock bits, serial number) and where the job
// logs and counts. Read with toml++; paths in it are relative to the file.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "hex/memory.h"
#include "ops/parts.h"
#include "production/serial_format.h"

namespace vantro::production {

struct JobImage {
    std::string file;    // as resolved against the job file's folder
    std::string sha256;  // lower case, as the job file pins it
};

struct JobSerial {
    hex::Memory memory = hex::Memory::Eeprom;
    std::uint32_t address = 0;
    SerialFormat format;
    std::uint64_t first = 0;
    std::uint64_t step = 1;
    std::string counter;  // resolved; empty: none (the records alone count)
};

struct JobFile {
    std::string path;    // the job file, as given
    std::string sha256;  // of the bytes read and parsed
    std::string name;
    ops::Part part;
    std::string station;
    // Who operates the line; kAskOperator: asked when the job starts.
    std::optional<std::string> operator_name;
    std::string log;                   // resolved
    std::string records;               // a resolved path or a postgresql:// URL, never empty
    std::vector<std::string> sockets;  // programmer serial numbers; empty: every one present
    std::optional<JobImage> flash;
    std::optional<JobImage> eeprom;
    std::optional<std::array<bool, 3>> lock_bits;  // LB1..LB3
    std::optional<JobSerial> serial;
    // "serial.address" -> its line, for the checks that come after reading.
    std::map<std::string, int> lines;

    // "job.toml:14: serial.address: " + what, for a problem with that key.
    std::string problem(const std::string& key, const std::string& what) const;
};

inline constexpr const char* kAskOperator = "ask";

struct JobFileRead {
    std::optional<JobFile> job;
    std::string problem;  // when job is empty: names the line and the key
};

// Reads and checks the file's form (keys, types, ranges, the part); the station
// defaults to `computer_name`. The images and the counter are not opened here.
JobFileRead read_job_file(const std::string& path, const std::string& computer_name);

}  // namespace vantro::production
