// SPDX-License-Identifier: MIT
// vantro-cli on several emulated programmers at once, chip after chip, with a log.

#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tests/cli/cli_runner.h"
#include "tests/support/temp_file.h"
#include "tests/support/worked_example.h"

namespace vantro {
namespace {

using testing::read_all;
using testing::run_cli;
using testing::run_shell;
using testing::scratch_path;

// The worked example's bytes, where they are in FLASH.
bool holds_worked_example(const std::string& dump) {
    const std::string expected = std::string(
        "\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B"
        "\x0C\x0D\x0E\x0F\xE4\xF5\xA0",
        19);
    return dump.size() == 65536 && dump.substr(0x100, expected.size()) == expected;
}

TEST(Production, ThreeProgrammersOneRefusingEachEndsOnItsOwnAndIsLogged) {
    testing::TempFile hex("production.hex", testing::kWorkedExample);
    const std::string dump = scratch_path("production-flash.bin");
    const std::string log = scratch_path("production.jsonl");
    std::remove(log.c_str());
    const auto run = run_cli(
        "--emulator --emulate programmers=3 --emulate latency=1 --emulate refuse=3@2 --all --log "
        "'" +
        log + "' --dump-flash '" + dump + "' flash '" + hex.path() + "'");
    EXPECT_EQ(run.exit_code, 1) << run.err;
    EXPECT_NE(run.err.find("emulated:2: Erro na gravação"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("recusado"), std::string::npos) << run.out;  // the table's language
    EXPECT_TRUE(holds_worked_example(read_all(scratch_path("production-flash-1.bin"))));
    EXPECT_FALSE(holds_worked_example(read_all(scratch_path("production-flash-2.bin"))));
    EXPECT_TRUE(holds_worked_example(read_all(scratch_path("production-flash-3.bin"))));

    std::map<std::string, std::string> outcomes;
    std::istringstream lines(read_all(log));
    for (std::string line; std::getline(lines, line);) {
        const auto record = nlohmann::json::parse(line);  // throws, and fails, if not JSON
        EXPECT_EQ(record.at("operation"), "flash");
        EXPECT_EQ(record.at("sha256").get<std::string>().size(), 64u);
        outcomes[record.at("programmer")] = record.at("outcome");
    }
    const std::map<std::string, std::string> expected{
        {"emulated:1", "success"}, {"emulated:2", "refused"}, {"emulated:3", "success"}};
    EXPECT_EQ(outcomes, expected);
}

TEST(Production, AnImageThatDoesNotFitIsRefusedOnceBeforeAnyProgrammerHearsOfIt) {
    testing::TempFile hex("past-4k.hex", ":01100000AA45\n:00000001FF\n");
    const auto run = run_cli("--emulator --emulate programmers=3 --all --part AT89S51 flash '" +
                             hex.path() + "'");
    EXPECT_EQ(run.exit_code, 2) << run.err;
    const auto first = run.err.find("passa do fim");
    ASSERT_NE(first, std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("passa do fim", first + 1), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("emulated:"), std::string::npos) << run.err;
}

// Every attempt has its line: a refused file or part, and a wait that ended on another answer.
TEST(Production, EveryAttemptIsLoggedWithWhatEndedIt) {
    testing::TempFile hex("past-4k-log.hex", ":01100000AA45\n:00000001FF\n");
    const std::string log = scratch_path("attempts.jsonl");
    std::remove(log.c_str());
    const std::string rows[][2] = {
        {"--part AT89S51 flash '" + hex.path() + "'", "file-refused"},
        {"flash '" + hex.path() + ".missing'", "file-refused"},
        {"--timeout 0.2 --emulate refuse=1 erase", "wrong-answer"},
    };
    for (const auto& row : rows) {
        run_cli("--emulator --log '" + log + "' " + row[0]);
    }
    std::istringstream lines(read_all(log));
    for (const auto& row : rows) {
        std::string line;
        ASSERT_TRUE(std::getline(lines, line)) << row[0];
        const auto record = nlohmann::json::parse(line);
        EXPECT_EQ(record.at("outcome"), row[1]) << line;
        EXPECT_FALSE(record.at("message").is_null()) << line;
    }
}

// A lock-bit write sets no status: its line tells the result the programmer gave.
TEST(Production, EachProgrammersLineTellsItsLockBitResult) {
    const auto run = run_cli("--emulator --emulate programmers=2 --all lock --lb1");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.err.find("emulated:2: Lock bits gravados com sucesso!!!"), std::string::npos)
        << run.err;
}

TEST(Production, RepeatCountsEveryChipUntilQAndTracesThemAll) {
#ifdef _WIN32
    GTEST_SKIP() << "feeds its answers through sh's printf; Wine's cmd does not pipe a block";
#endif
    const std::string trace = scratch_path("repeat.trace");
    // "sair" is no answer: the question comes again; q stops.
    const auto run =
        run_shell("printf '\\n\\nsair\\nq\\n' | '" + std::string(VANTRO_CLI) +
                  "' --emulator --repeat --device emulated:1 --trace '" + trace + "' erase");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.err.find("Total: 3 chips (3 gravados, 0 com falha)"), std::string::npos)
        << run.err;
    EXPECT_EQ(read_all(trace).size(), 3u * 131u) << "one erase report a chip, all kept";
}

}  // namespace
}  // namespace vantro
