// SPDX-License-Identifier: MIT
#pragma once
// Job files for the tests of vantro-cli job: the worked example in FLASH, a serial
// number, a log, a counter and records of their own.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sha256.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/worked_example.h"

namespace vantro::testing {

inline void write_file(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string sha256_of(const std::string& text) {
    return platform::sha256_hex(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// A job named `name` in the scratch folder: the worked example in FLASH, the
// serial as `serial` says, from `first`; returns the job file's path. Its log
// (`log`, relative to the job file; empty: NAME.jsonl), counter and records are new.
inline std::string make_job(const std::string& name, const std::string& serial,
                            const std::string& flash_sha256 = sha256_of(kWorkedExample),
                            std::uint64_t first = 1000, const std::string& log = "") {
    write_file(scratch_path(name + ".hex"), kWorkedExample);
    std::remove(scratch_path(name + ".jsonl").c_str());
    std::remove(scratch_path(name + ".counter").c_str());
    for (const char* side : {"", "-wal", "-shm"}) {
        std::remove(scratch_path(name + ".counter.sqlite" + side).c_str());
    }
    const std::string job = scratch_path(name + ".toml");
    write_file(job, "name = \"" + name + "\"\npart = \"AT89S8252\"\nlog = \"" +
                        (log.empty() ? name + ".jsonl" : log) + "\"\n\n[flash]\nfile = \"" + name +
                        ".hex\"\nsha256 = \"" + flash_sha256 + "\"\n\n[serial]\n" + serial +
                        "\ncounter = \"" + name + ".counter\"\nfirst = " + std::to_string(first) +
                        "\n");
    return job;
}

// vantro-cli on the emulated programmers, for the job file `job.toml` in `folder`.
inline std::string job_command(const std::filesystem::path& folder,
                               const std::string& emulate = "") {
    return std::string("'") + VANTRO_CLI + "' --emulator " + emulate + " job '" +
           (folder / "job.toml").string() + "'";
}

inline std::vector<nlohmann::json> chip_lines(const std::string& log) {
    std::vector<nlohmann::json> chips;
    std::istringstream lines(read_all(log));
    for (std::string line; std::getline(lines, line);) {
        auto record = nlohmann::json::parse(line);  // throws, and fails, if not JSON
        if (!record.contains("summary")) {
            chips.push_back(std::move(record));
        }
    }
    return chips;
}

}  // namespace vantro::testing
