// SPDX-License-Identifier: MIT
// vantro-cli job with its records on a PostgreSQL server the test starts itself:
// the stations of a line share one range of numbers, and a server gone mid-shift
// stops the job before its next chip with every number taken recorded.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "tests/cli/cli_runner.h"
#include "tests/cli/production/job_rig.h"
#include "tests/support/postgresql_server.h"
#include "tests/support/worked_example.h"

namespace vantro {
namespace {

namespace fs = std::filesystem;
using testing::job_command;
using testing::read_all;
using testing::run_shell;
using testing::scratch_path;
using testing::sha256_of;

// A station's folder: job "linha" with its records on the server.
fs::path make_station(const std::string& station, const std::string& url) {
    const fs::path folder = scratch_path("pg-" + station);
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "fw.hex", std::ios::binary) << testing::kWorkedExample;
    std::ofstream(folder / "job.toml", std::ios::binary)
        << "name = \"linha\"\npart = \"AT89S8252\"\nstation = \"" << station
        << "\"\nlog = \"job.jsonl\"\nrecords = \"" << url << "\"\n\n[flash]\nfile = \"fw.hex\"\n"
        << "sha256 = \"" << sha256_of(testing::kWorkedExample)
        << "\"\n\n[serial]\nmemory = \"eeprom\"\naddress = 0\nformat = \"bcd6\"\nfirst = 1\n";
    return folder;
}

std::multiset<std::string> lines_of(const std::string& text) {
    std::multiset<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) {
            lines.insert(line);
        }
    }
    return lines;
}

std::set<std::string> logged_serials(const fs::path& log) {
    std::set<std::string> serials;
    std::istringstream in(read_all(log));
    for (std::string line; std::getline(in, line);) {
        const auto at = line.find("\"chip_serial\":");
        if (at != std::string::npos) {
            serials.insert(line.substr(at + 14, line.find_first_of(",}", at) - at - 14));
        }
    }
    return serials;
}

TEST(JobPostgresql, TwoStationsShareOneRangeWithNoRepeat) {
    testing::PostgresqlServer server("two-stations");
    ASSERT_EQ(server.problem(), "");
    const fs::path a = make_station("estacao-a", server.url());
    const fs::path b = make_station("estacao-b", server.url());
    const std::string starts = "printf '\\n\\n\\n' | ";
    const std::string emulate = "--emulate programmers=3";
    const auto run = run_shell(starts + job_command(a, emulate) + " & " + starts +
                               job_command(b, emulate) + "; wait");
    const auto serials = lines_of(server.query("SELECT chip_serial FROM attempts"));
    EXPECT_EQ(serials.size(), 24u) << run.err;
    EXPECT_EQ(std::set<std::string>(serials.begin(), serials.end()).size(), serials.size())
        << "a number given twice";
    EXPECT_EQ(lines_of(server.query("SELECT DISTINCT state FROM attempts")),
              std::multiset<std::string>{"success"});
    EXPECT_EQ(lines_of(server.query("SELECT DISTINCT station FROM attempts")),
              (std::multiset<std::string>{"estacao-a", "estacao-b"}));
}

TEST(JobPostgresql, AServerStoppedMidShiftStopsTheJobWithEveryTakenNumberRecorded) {
    testing::PostgresqlServer server("stopped");
    ASSERT_EQ(server.problem(), "");
    const fs::path station = make_station("estacao-c", server.url());
    // Chips keep coming until the server goes; the job must then end by itself.
    testing::CliRun run;
    std::thread job([&] {
        run = run_shell("yes '' | timeout 60 " +
                        job_command(station, "--emulate programmers=2 --emulate latency=1"));
    });
    // Stopped once chips are being recorded (a sanitizer's build starts slowly), at most 30 s on.
    for (int wait = 0; wait < 300 && logged_serials(station / "job.jsonl").size() < 3; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_TRUE(server.stop());
    job.join();
    ASSERT_TRUE(server.start());
    EXPECT_EQ(run.exit_code, 2) << run.err;
    EXPECT_NE(run.err.find("Não foi possível gravar na base de registros"), std::string::npos)
        << run.err;
    const auto taken = lines_of(server.query("SELECT chip_serial FROM serial_numbers"));
    const auto recorded = lines_of(server.query("SELECT chip_serial FROM attempts"));
    EXPECT_GT(taken.size(), 2u);
    EXPECT_EQ(taken, recorded) << "a number taken that no record names";
    for (const std::string& serial : logged_serials(station / "job.jsonl")) {
        EXPECT_EQ(taken.count(serial), 1u) << "logged " << serial;
    }
}

}  // namespace
}  // namespace vantro
