// SPDX-License-Identifier: MIT
// vantro-cli job: a production job file on several emulated programmers.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "tests/cli/production/job_rig.h"
#include "tests/cli/production/records_query.h"

namespace vantro {
namespace {

using testing::chip_lines;
using testing::make_job;
using testing::read_all;
using testing::run_cli;
using testing::run_shell;
using testing::scratch_path;
using testing::write_file;

TEST(Job, ThreeSocketsWriteSerials1000To1002AndTheRecordsGoOnAt1003) {
    const std::string job =
        make_job("three", "memory = \"eeprom\"\naddress = 0x0010\nformat = \"u32le\"");
    const std::string dump = scratch_path("three-eeprom.bin");
    const auto run = run_cli("--emulator --emulate programmers=3 --dump-eeprom '" + dump +
                             "' job '" + job + "'");
    ASSERT_EQ(run.exit_code, 0) << run.err;
    std::set<std::string> written;
    for (int k = 1; k <= 3; ++k) {
        written.insert(
            read_all(scratch_path("three-eeprom-" + std::to_string(k) + ".bin")).substr(0x10, 4));
    }
    const std::set<std::string> expected{std::string("\xE8\x03\x00\x00", 4),
                                         std::string("\xE9\x03\x00\x00", 4),
                                         std::string("\xEA\x03\x00\x00", 4)};
    EXPECT_EQ(written, expected);
    EXPECT_EQ(testing::query(scratch_path("three.counter.sqlite"),
                             "SELECT next_serial FROM serial_ranges"),
              std::vector<std::string>{"1003"});
    std::set<std::uint64_t> logged;
    for (const auto& chip : chip_lines(scratch_path("three.jsonl"))) {
        EXPECT_EQ(chip.at("outcome"), "success");
        EXPECT_EQ(chip.at("steps").at("flash"), "success");
        logged.insert(chip.at("chip_serial").get<std::uint64_t>());
    }
    EXPECT_EQ(logged, (std::set<std::uint64_t>{1000, 1001, 1002}));
    EXPECT_NE(run.err.find("PASS"), std::string::npos) << run.err;
}

// The README's job is the tree's sample, and runs as the README says: checked in
// place, and on three emulated programmers from a copy (the tree stays clean).
TEST(Job, TheReadmesSampleJobChecksAndRunsAsWritten) {
#ifdef _WIN32
    GTEST_SKIP() << "runs the README's shell commands";
#endif
    const std::filesystem::path sample =
        std::filesystem::path(VANTRO_SOURCE_DIR) / "packaging" / "sample";
    const std::string job = read_all(sample / "controlador-v3.toml");
    const std::string readme = read_all(std::filesystem::path(VANTRO_SOURCE_DIR) / "README.md");
    const auto block = readme.find("```toml\n");
    ASSERT_NE(block, std::string::npos);
    EXPECT_EQ(readme.substr(block + 8, job.size() + 4), job + "```\n");

    const auto check =
        run_cli("job '" + (sample / "controlador-v3.toml").string() + "' --check --lang en");
    EXPECT_EQ(check.exit_code, 0) << check.err;
    for (const char* file : {"blink.hex", "calibracao.hex", "controlador-v3.toml"}) {
        std::filesystem::copy_file(sample / file, scratch_path(file),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    for (const char* file : {"controlador-v3.sqlite", "controlador-v3.sqlite-wal",
                             "controlador-v3.sqlite-shm", "controlador-v3.jsonl"}) {
        std::remove(scratch_path(file).c_str());
    }
    const auto run = run_cli("--emulator --emulate programmers=3 job '" +
                             scratch_path("controlador-v3.toml") + "'");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(testing::query(scratch_path("controlador-v3.sqlite"),
                             "SELECT next_serial FROM serial_ranges"),
              std::vector<std::string>{"1003"});
    EXPECT_EQ(chip_lines(scratch_path("controlador-v3.jsonl")).size(), 3u);
}

// Each is refused naming its line and key, before any report is written.
TEST(Job, RefusedJobsSendNothing) {
    const struct {
        const char* serial;
        const char* flash_sha256;
        const char* said;
    } cases[] = {
        {"memory = \"eeprom\"\naddress = 0\nformat = \"u16le\"",
         "0000000000000000000000000000000000000000000000000000000000000000",
         "wrong-hash.toml:7: flash.sha256"},
        {"memory = \"flash\"\naddress = 0x010E\nformat = \"u32be\"", nullptr,
         "wrong-hash.toml:11: serial.address: a imagem já tem dados no endereço 0x010E"},
        {"memory = \"eeprom\"\naddress = 0x07FE\nformat = \"ascii4\"", nullptr,
         "wrong-hash.toml:11: serial.address: o número de série (4 bytes em 0x07FE) passa do fim"},
    };
    const std::string trace = scratch_path("refused-trace.txt");
    for (const auto& refused : cases) {
        std::remove(trace.c_str());
        const std::string job = refused.flash_sha256
                                    ? make_job("wrong-hash", refused.serial, refused.flash_sha256)
                                    : make_job("wrong-hash", refused.serial);
        const auto run = run_cli("--emulator --trace '" + trace + "' job '" + job + "'");
        EXPECT_EQ(run.exit_code, 2) << run.err;
        EXPECT_NE(run.err.find(refused.said), std::string::npos) << run.err;
        EXPECT_EQ(read_all(trace), "") << refused.said;
        EXPECT_EQ(read_all(scratch_path("wrong-hash.counter")), "") << refused.said;
    }
}

// --operator, or the job's operator = "ask" answered at the start, goes into
// every chip's line; a question left unanswered sends nothing.
TEST(Job, TheOperatorGoesIntoEveryChipsRecord) {
#ifdef _WIN32
    GTEST_SKIP() << "feeds its answers through sh's printf";
#endif
    const struct {
        const char* job_line;
        const char* input;
        const char* option;
        int exit_code;
        const char* logged;  // null: no chip logged
    } cases[] = {
        {"", "", "--operator 'Ana Lima'", 0, "Ana Lima"},
        {"operator = \"ask\"\n", "\n  Rui \n", "", 0, "Rui"},
        {"operator = \"ask\"\n", "", "", 2, nullptr},
        {"operator = \"ask\"\n", "", "--operator Bia", 0, "Bia"},
        {"operator = \"Turno B\"\n", "", "", 0, "Turno B"},
    };
    const std::string trace = scratch_path("operator-trace.txt");
    for (const auto& c : cases) {
        const std::string job =
            make_job("operator", "memory = \"eeprom\"\naddress = 0\nformat = \"u16le\"");
        write_file(job, c.job_line + read_all(job));
        std::remove(trace.c_str());
        const auto run =
            run_shell("printf '" + std::string(c.input) + "' | '" + std::string(VANTRO_CLI) +
                      "' --emulator --emulate programmers=2 " + "--trace '" + trace + "' " +
                      " job '" + job + "' " + c.option);
        ASSERT_EQ(run.exit_code, c.exit_code) << run.err;
        const auto chips = chip_lines(scratch_path("operator.jsonl"));
        if (!c.logged) {
            EXPECT_TRUE(chips.empty());
            EXPECT_EQ(read_all(trace), "") << "nothing may be sent";
            EXPECT_NE(run.err.find("--operator"), std::string::npos) << run.err;
            continue;
        }
        ASSERT_EQ(chips.size(), 2u) << run.err;
        for (const auto& chip : chips) {
            EXPECT_EQ(chip.at("operator"), c.logged);
        }
    }
}

TEST(Job, AKilledJobNeverGivesASerialTwice) {
#ifdef _WIN32
    GTEST_SKIP() << "kills the job with sh's timeout";
#endif
    const std::string job =
        make_job("killed", "memory = \"eeprom\"\naddress = 0\nformat = \"bcd6\"");
    const std::string cli = std::string("'") + VANTRO_CLI + "' --emulator --emulate latency=3 ";
    // Three seconds: a few chips even under ThreadSanitizer, so the kill lands mid-job.
    run_shell("yes '' | timeout -s KILL 3 " + cli + "job '" + job + "'");
    const auto again = run_cli("--emulator job '" + job + "'");
    EXPECT_EQ(again.exit_code, 0) << again.err;
    std::set<std::uint64_t> serials;
    std::size_t chips = 0;
    for (const auto& chip : chip_lines(scratch_path("killed.jsonl"))) {
        serials.insert(chip.at("chip_serial").get<std::uint64_t>());
        ++chips;
    }
    EXPECT_GT(chips, 2u);
    EXPECT_EQ(serials.size(), chips);
    const auto next = testing::query(scratch_path("killed.counter.sqlite"),
                                     "SELECT next_serial FROM serial_ranges");
    ASSERT_EQ(next.size(), 1u);
    EXPECT_GT(std::stoull(next[0]), *serials.rbegin());
}

// Socket 2 waits for answers that never come, three chips long, and pauses; 1
// and 3 go on with their chips meanwhile.
TEST(Job, ASilentSocketDoesNotHoldTheOthers) {
#ifdef _WIN32
    GTEST_SKIP() << "feeds its keys through sh's printf";
#endif
    const std::string job =
        make_job("silent", "memory = \"eeprom\"\naddress = 0\nformat = \"u16be\"");
    const auto run = run_shell("printf '\\n\\n' | '" + std::string(VANTRO_CLI) +
                               "' --emulator --emulate programmers=3 --emulate silent=2@2 "
                               "--timeout 4 job '" +
                               job + "'");
    EXPECT_EQ(run.exit_code, 3) << run.err;
    std::vector<int> sockets;
    for (const auto& chip : chip_lines(scratch_path("silent.jsonl"))) {
        sockets.push_back(chip.at("socket").get<int>());
    }
    ASSERT_EQ(sockets.size(), 9u) << run.err;
    EXPECT_EQ(std::find(sockets.begin(), sockets.end(), 2) - sockets.begin(), 6)
        << "socket 2 logs first after the others' three chips";
    EXPECT_NE(run.err.find("Soquete 2 (EMU-0002) pausado após 3 falhas seguidas"),
              std::string::npos)
        << run.err;
}

}  // namespace
}  // namespace vantro
