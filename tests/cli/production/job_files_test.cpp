// SPDX-License-Identifier: MIT
// vantro-cli job and the files around it: no output lands on an input or on
// another output, only regular files are read, an output that cannot be written
// stops the job before its first chip, and every chip is kept in the trace and
// the dumps.

#include <gtest/gtest.h>

#include <filesystem>

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

const std::string kSerial = "memory = \"eeprom\"\naddress = 0x0010\nformat = \"u32le\"";

// Each is refused before anything is opened: exit 2, the file it would have
// destroyed as it was, no counter, no records, no log.
TEST(JobFiles, NoOutputLandsOnAnInputOrAnotherOutput) {
#ifdef _WIN32
    GTEST_SKIP() << "makes symbolic links, which Wine does not";
#endif
    namespace fs = std::filesystem;
    const std::string hex = scratch_path("clash.hex");
    const std::string toml = scratch_path("clash.toml");
    const std::string log = scratch_path("clash.jsonl");
    const std::string counter = scratch_path("clash.counter");
    const struct {
        std::string options;
        std::string log;   // the job's log key; empty: clash.jsonl
        std::string link;  // made first: "s LINK TARGET" (symbolic) or "h LINK TARGET" (hard)
        std::string said;
    } rows[] = {
        {"--trace '" + hex + "'", "", "", "--trace \"" + hex + "\" é o arquivo de flash.file"},
        {"--dump-flash '" + toml + "'", "", "", "é o arquivo do job"},
        {"--dump-eeprom '" + log + "'", "", "", "log e --dump-eeprom dão o mesmo arquivo"},
        {"--trace '" + counter + "'", "", "", "--trace \"" + counter + "\" é o contador"},
        {"", "clash.counter", "", "clash.toml:3: log \"" + counter + "\" é o contador"},
        // The records, and the files SQLite keeps beside them while it works.
        {"--trace '" + counter + ".sqlite'", "", "", "records e --trace dão o mesmo arquivo"},
        {"", "clash.counter.sqlite-wal", "", "log e records dão o mesmo arquivo"},
        {"", "clash.hex", "", "clash.toml:3: log \"" + hex + "\" é o arquivo de flash.file"},
        {"", "clash.toml", "", "é o arquivo do job"},
        {"", "./clash.hex", "", "é o arquivo de flash.file"},
        {"--trace '" + scratch_path("sub/../clash.hex") + "'", "", "", "é o arquivo de flash.file"},
        {"--trace '" + scratch_path("clash-link.hex") + "'", "", "s clash-link.hex clash.hex",
         "é o arquivo de flash.file"},
        {"--trace '" + scratch_path("clash-hard.hex") + "'", "", "h clash-hard.hex clash.hex",
         "é o arquivo de flash.file"},
        // A link to a file not yet made: writing through it makes the log.
        {"--trace '" + scratch_path("clash-dangling") + "'", "", "s clash-dangling clash.jsonl",
         "log e --trace dão o mesmo arquivo"},
        {"", "clash-dangling", "s clash-dangling clash.counter", "é o contador"},
    };
    fs::create_directories(scratch_path("sub"));
    for (const auto& row : rows) {
        make_job("clash", kSerial, testing::sha256_of(testing::kWorkedExample), 1000, row.log);
        const std::string job_text = read_all(toml);
        for (const char* name : {"clash-link.hex", "clash-hard.hex", "clash-dangling"}) {
            fs::remove(scratch_path(name));
        }
        if (!row.link.empty()) {
            const std::string link = scratch_path(row.link.substr(2, row.link.find(' ', 2) - 2));
            const std::string target = row.link.substr(row.link.find(' ', 2) + 1);
            if (row.link[0] == 's') {
                fs::create_symlink(target, link);
            } else {
                fs::create_hard_link(scratch_path(target), link);
            }
        }
        const auto run = run_cli("--emulator " + row.options + " job '" + toml + "'");
        EXPECT_EQ(run.exit_code, 2) << row.said << "\n" << run.err;
        EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
        EXPECT_EQ(read_all(hex), testing::kWorkedExample) << row.said;
        EXPECT_EQ(read_all(toml), job_text) << row.said;
        EXPECT_FALSE(fs::exists(counter)) << row.said;
        EXPECT_FALSE(fs::exists(counter + ".sqlite")) << row.said;
        EXPECT_FALSE(fs::exists(log)) << row.said;
    }
}

// A folder, a device or a huge file is refused by name, never read without end.
TEST(JobFiles, OnlyRegularFilesAreRead) {
#ifdef _WIN32
    GTEST_SKIP() << "reads /dev/zero";
#endif
    const std::string job = make_job("irregular", kSerial);
    const std::string text = read_all(job);
    const struct {
        std::string from;
        std::string to;
        std::string said;
    } rows[] = {
        {"file = \"irregular.hex\"", "file = \".\"", "flash.file: Não foi possível ler o arquivo"},
        {"file = \"irregular.hex\"", "file = \"/dev/zero\"", "não é um arquivo comum"},
        {"counter = \"irregular.counter\"", "counter = \"/dev/zero\"",
         "serial.counter: Não foi possível ler o contador \"/dev/zero\": não é um arquivo comum"},
        {"counter = \"irregular.counter\"", "counter = \".\"", "é uma pasta, não um arquivo"},
        // SQLite would wait for a FIFO's writer for ever.
        {"part = ", "records = \"irregular.fifo\"\npart = ",
         "irregular.fifo\": não é um arquivo comum"},
        {"part = ", "records = \".\"\npart = ", "é uma pasta, não um arquivo"},
    };
    std::remove(scratch_path("irregular.fifo").c_str());
    ASSERT_EQ(run_shell("mkfifo '" + scratch_path("irregular.fifo") + "'").exit_code, 0);
    for (const auto& row : rows) {
        std::string changed = text;
        changed.replace(changed.find(row.from), row.from.size(), row.to);
        write_file(job, changed);
        const auto run =
            run_shell("timeout 20 '" + std::string(VANTRO_CLI) + "' --emulator job '" + job + "'");
        EXPECT_EQ(run.exit_code, 2) << row.to << "\n" << run.err;
        EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
    }
    const auto zero =
        run_shell("timeout 20 '" + std::string(VANTRO_CLI) + "' job /dev/zero --check");
    EXPECT_EQ(zero.exit_code, 2) << zero.err;
    EXPECT_NE(zero.err.find("\"/dev/zero\": não é um arquivo comum"), std::string::npos)
        << zero.err;
}

// An output that cannot be written is said as such before the first chip: no
// number taken, no chip logged, no "no programmer".
TEST(JobFiles, AnUnwritableOutputStopsTheJobBeforeItsFirstChip) {
    const std::string job = make_job("unwritable", kSerial);
    const auto run = run_cli("--emulator --trace '" + scratch_path("no-such-folder/t.txt") +
                             "' job '" + job + "'");
    EXPECT_EQ(run.exit_code, 2) << run.err;
    EXPECT_NE(run.err.find("Não foi possível gravar o arquivo"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Nenhum gravador"), std::string::npos) << run.err;
    EXPECT_EQ(read_all(scratch_path("unwritable.counter")), "");
    EXPECT_EQ(read_all(scratch_path("unwritable.jsonl")), "");
}

// Three chips on one socket: the dump holds the three EEPROMs one after another,
// with serial numbers 1000 to 1002, and the trace all three chips' reports.
TEST(JobFiles, TheTraceAndTheDumpsKeepEveryChip) {
#ifdef _WIN32
    GTEST_SKIP() << "feeds its keys through sh's printf";
#endif
    const std::string job = make_job("every", kSerial);
    const std::string dump = scratch_path("every-eeprom.bin");
    const std::string trace = scratch_path("every-trace.txt");
    write_file(dump, "left from an earlier job");
    const std::string cli = "'" + std::string(VANTRO_CLI) + "' --emulator --dump-eeprom '" + dump +
                            "' --trace '" + trace + "' job '" + job + "'";
    const auto one = run_shell(cli);
    ASSERT_EQ(one.exit_code, 0) << one.err;
    const std::size_t chip_size = read_all(dump).size();
    const std::size_t trace_size = read_all(trace).size();
    ASSERT_GT(chip_size, 0x14u);
    const auto three = run_shell("printf '\\n\\n' | " + cli);
    ASSERT_EQ(three.exit_code, 0) << three.err;
    const std::string dumps = read_all(dump);
    ASSERT_EQ(dumps.size(), 3 * chip_size);
    for (std::size_t chip = 0; chip < 3; ++chip) {
        const std::string serial = dumps.substr(chip * chip_size + 0x10, 4);
        EXPECT_EQ(static_cast<unsigned char>(serial[0]) | static_cast<unsigned char>(serial[1])
                                                              << 8,
                  1001 + chip)
            << "chip " << chip;
    }
    EXPECT_EQ(read_all(trace).size(), 3 * trace_size);
}

// ascii4 from 9998: two chips get 9998 and 9999, then the job stops before it
// takes a number, saying the format and its limit; the records' next stays 10000.
TEST(JobFiles, TheRangeRunsOutCleanly) {
#ifdef _WIN32
    GTEST_SKIP() << "feeds its keys through sh's printf";
#endif
    const std::string job =
        make_job("range", "memory = \"eeprom\"\naddress = 0\nformat = \"ascii4\"",
                 testing::sha256_of(testing::kWorkedExample), 9998);
    const auto check = run_cli("--emulator job '" + job + "' --check");
    EXPECT_EQ(check.exit_code, 0) << check.err;
    EXPECT_NE(check.out.find("restam 2 no formato ascii4 (o maior é 9999)"), std::string::npos)
        << check.out;
    const auto run = run_shell("printf '\\n\\n\\n\\n' | '" + std::string(VANTRO_CLI) +
                               "' --emulator job '" + job + "'");
    EXPECT_EQ(run.exit_code, 2) << run.err;
    EXPECT_NE(run.err.find("Aviso: restam só 2 números de série no formato ascii4"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("os números de série do formato ascii4 acabaram: o maior é 9999"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(testing::query(scratch_path("range.counter.sqlite"),
                             "SELECT next_serial FROM serial_ranges"),
              std::vector<std::string>{"10000"});
    std::vector<std::uint64_t> serials;
    for (const auto& chip : chip_lines(scratch_path("range.jsonl"))) {
        EXPECT_EQ(chip.at("outcome"), "success");
        serials.push_back(chip.at("chip_serial").get<std::uint64_t>());
    }
    EXPECT_EQ(serials, (std::vector<std::uint64_t>{9998, 9999}));
    // Started again at the end, it refuses at once, naming the limit.
    const auto again = run_cli("--emulator job '" + job + "'");
    EXPECT_EQ(again.exit_code, 2) << again.err;
    EXPECT_NE(again.err.find("serial.format: os números de série do formato ascii4 acabaram"),
              std::string::npos)
        << again.err;
    EXPECT_EQ(testing::query(scratch_path("range.counter.sqlite"),
                             "SELECT next_serial FROM serial_ranges"),
              std::vector<std::string>{"10000"});
}

// A chip a signal stops is logged with the process's exit code.
TEST(JobFiles, ACancelledChipIsLoggedWithTheSignalsExitCode) {
#ifdef _WIN32
    GTEST_SKIP() << "signals the job with sh's kill";
#endif
    const std::string job = make_job("cancelled", kSerial);
    const std::string said = scratch_path("cancelled.err");
    // SIGTERM once the chip has started (bounded: 10 s at most); the last run's
    // words removed first, or they would send it at once.
    const auto run = run_shell("rm -f '" + said + "'; '" + std::string(VANTRO_CLI) +
                               "' --emulator --emulate latency=200 job '" + job + "' 2>'" + said +
                               "' & pid=$!; i=0; while ! grep -q 'gravando o chip' '" + said +
                               "' && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done; "
                               "kill -TERM $pid; wait $pid");
    EXPECT_EQ(run.exit_code, 143) << read_all(said);
    const auto chips = chip_lines(scratch_path("cancelled.jsonl"));
    ASSERT_EQ(chips.size(), 1u) << read_all(said);
    EXPECT_EQ(chips[0].at("outcome"), "cancelled");
    EXPECT_EQ(chips[0].at("exit_code"), 143);
}

// The counter's text and the job file's syntax are judged in the run's language.
TEST(JobFiles, CounterAndSyntaxErrorsInTheRunsLanguage) {
#ifdef _WIN32
    GTEST_SKIP() << "expects the counter's path with POSIX separators";
#endif
    const std::string job = make_job("language", kSerial);
    write_file(scratch_path("language.counter"), "12abc\n");
    const auto counter = run_cli("--emulator job '" + job + "'");
    EXPECT_EQ(counter.exit_code, 2) << counter.err;
    EXPECT_NE(counter.err.find("serial.counter: O contador \"" + scratch_path("language.counter") +
                               "\" não contém um número: \"12abc"),
              std::string::npos)
        << counter.err;
    EXPECT_EQ(read_all(scratch_path("language.counter")), "12abc\n");
    EXPECT_EQ(read_all(scratch_path("language.jsonl")), "");
    const auto english = run_cli("--lang en --emulator job '" + job + "'");
    EXPECT_EQ(english.exit_code, 2) << english.err;
    EXPECT_NE(english.err.find("does not hold a number: \"12abc"), std::string::npos)
        << english.err;

    write_file(job, "name = \"language\nlog = \"x\"\n");
    const auto syntax = run_cli("--lang en job '" + job + "' --check");
    EXPECT_EQ(syntax.exit_code, 2) << syntax.err;
    EXPECT_NE(syntax.err.find("language.toml:1: TOML syntax error at column"), std::string::npos)
        << syntax.err;
}

}  // namespace
}  // namespace vantro
