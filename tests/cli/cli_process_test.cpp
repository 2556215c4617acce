// SPDX-License-Identifier: MIT
// vantro-cli as a process: signals mid-run, closed standard streams, output files.

#include <gtest/gtest.h>

#include "tests/cli/cli_runner.h"
#include "tests/support/temp_file.h"
#include "tests/support/worked_example.h"

namespace vantro {
namespace {

using testing::run_cli;
using testing::run_shell;
using testing::TempFile;

struct SignalCase {
    const char* name;
    const char* command;  // " HEX" is replaced by the hex file
    const char* signal;
    int exit_code;
    const char* says;
    friend void PrintTo(const SignalCase& c, std::ostream* os) { *os << c.name; }
};

class CliSignal : public ::testing::TestWithParam<SignalCase> {};

// The emulated programmer answers after two seconds; the signal comes as soon
// as the first report is in the trace, so a run that went on would write a second.
TEST_P(CliSignal, StopsTheRunSaysWhatTheChipHoldsAndExitsWith128PlusTheSignal) {
#ifdef _WIN32
    GTEST_SKIP() << "sends POSIX signals with sh's kill; Windows has console events instead";
#endif
    const SignalCase& c = GetParam();
    TempFile hex("signal.hex", testing::kWorkedExample);
    const std::string trace = testing::scratch_path(std::string("signal-") + c.name + ".trace");
    std::string command = c.command;
    if (const auto at = command.find(" HEX"); at != std::string::npos) {
        command.replace(at, 4, " '" + hex.path() + "'");
    }
    const auto run =
        run_shell("rm -f '" + trace + "' '" + trace + ".log'; '" + VANTRO_CLI +
                  "' --emulator --emulate latency=2000 --log '" + trace + ".log' --trace '" +
                  trace + "' " + command + " & for i in $(seq 500); do [ -s '" + trace +
                  "' ] && break; sleep 0.02; done; kill -" + c.signal + " $!; wait $!");
    EXPECT_EQ(run.exit_code, c.exit_code) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    // The log's line carries the process's exit code and the same text.
    const std::string log = testing::read_all(trace + ".log");
    EXPECT_NE(log.find("\"exit_code\":" + std::to_string(c.exit_code)), std::string::npos) << log;
    EXPECT_NE(log.find(c.says), std::string::npos) << log;
    // "Erro"/"Error": the stop is not told as a failed write before what the chip holds.
    EXPECT_EQ(run.err.find("Erro"), std::string::npos) << run.err;
    const std::string sent = testing::read_all(trace);
    EXPECT_EQ(sent.size(), 131u) << "one whole report, and nothing after it:\n" << sent;
}

INSTANTIATE_TEST_SUITE_P(
    Emulator, CliSignal,
    ::testing::Values(
        SignalCase{
            "flash_ctrl_c", "flash HEX", "INT", 130,
            "Interrompido. A FLASH fica parcialmente gravada: apague o chip e grave de novo."},
        SignalCase{"eeprom_term", "eeprom HEX", "TERM", 143,
                   "Interrompido. A EEPROM fica parcialmente gravada"},
        SignalCase{"lock_hangup", "--lang en lock", "HUP", 129,
                   "Interrupted. It is not known whether the lock bits were written: only an "
                   "erase clears them."}),
    [](const auto& info) { return std::string(info.param.name); });

// A closed stderr is reopened on /dev/null before the trace file is opened: were
// it not, the trace would take descriptor 2 and the status texts would land in it.
TEST(CliStreams, AClosedStderrNeverCarriesTextsIntoAnOutputFile) {
    TempFile hex("streams.hex", testing::kWorkedExample);
    const std::string trace = testing::scratch_path("streams.trace");
    const auto run = run_shell("'" + std::string(VANTRO_CLI) + "' --emulator --trace '" + trace +
                               "' flash '" + hex.path() + "' 2>&-");
    EXPECT_EQ(run.exit_code, 0);
    const std::string sent = testing::read_all(trace);
    EXPECT_EQ(sent.size(), 5u * 131u) << sent;
    EXPECT_EQ(sent.find("Grav"), std::string::npos) << sent;
}

// `vantro-cli ... | true`: the reader is gone before the first write (it opens the
// FIFO, closes it and is waited for), so every write to stdout fails. The run ends
// with its own code and says so; a process killed by SIGPIPE would exit 141.
TEST(CliStreams, AStdoutPipeWithoutReaderEndsTheRunWithItsCodeAndAMessage) {
#ifdef _WIN32
    GTEST_SKIP() << "drives sh with mkfifo; Windows has no SIGPIPE";
#endif
    TempFile hex("pipe.hex", testing::kWorkedExample);
    const std::string fifo = testing::scratch_path("stdout.fifo");
    const struct {
        std::string arguments;
        const char* says;
    } rows[] = {
        {"check '" + hex.path() + "'", "Não foi possível escrever na saída padrão: "},
        {"--emulator --emulate programmers=32 list --lang en",
         "Could not write to standard output: "},
        {"help flash", "Não foi possível escrever na saída padrão: "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        const auto run = run_shell("rm -f '" + fifo + "'; mkfifo '" + fifo + "'; (exec <'" + fifo +
                                   "') & exec 3>'" + fifo + "'; wait; rm -f '" + fifo + "'; '" +
                                   VANTRO_CLI + "' " + row.arguments + " >&3");
        EXPECT_EQ(run.exit_code, 2) << run.err;
        EXPECT_NE(run.err.find(row.says), std::string::npos) << run.err;
    }
}

struct OutputCase {
    const char* name;
    const char* arguments;  // HEX and TRACE are replaced by paths
    const char* says;
    friend void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }
};

class CliOutputFile : public ::testing::TestWithParam<OutputCase> {};

// Refused before anything is sent, or, once sent, told with its reason: exit 2 either way.
TEST_P(CliOutputFile, ThatCannotBeWrittenIsToldWithItsReason) {
#ifdef _WIN32
    GTEST_SKIP() << "drives sh with mkfifo and /dev/full; packaging/windows/wine-checks.sh "
                    "tries an unwritable trace under Wine";
#endif
    const OutputCase& c = GetParam();
    TempFile hex("output.hex", testing::kWorkedExample);
    const std::string trace = testing::scratch_path(std::string("output-") + c.name + ".trace");
    std::string arguments = c.arguments;
    for (const auto& [word, path] : {std::pair{"HEX", hex.path()}, std::pair{"TRACE", trace}}) {
        for (auto at = arguments.find(word); at != std::string::npos; at = arguments.find(word)) {
            arguments.replace(at, std::string(word).size(), "'" + path + "'");
        }
    }
    const auto run =
        run_shell("rm -f '" + trace + "' '" + trace + ".link'; mkfifo '" + trace +
                  ".fifo'; ln -s '" + hex.path() + "' '" + trace + ".link'; '" + VANTRO_CLI + "' " +
                  arguments + "; code=$?; rm -f '" + trace + ".fifo'; exit $code");
    EXPECT_EQ(run.exit_code, 2) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(testing::read_all(trace), "") << "nothing may be sent";
    EXPECT_EQ(testing::read_all(hex.path()), testing::kWorkedExample) << "the input is kept";
}

INSTANTIATE_TEST_SUITE_P(
    Files, CliOutputFile,
    ::testing::Values(
        OutputCase{"trace_in_a_missing_folder", "--emulator --trace /nonexistent/t flash HEX",
                   "\"/nonexistent/t\": Arquivo ou pasta inexistente"},
        OutputCase{"dump_in_a_missing_folder",
                   "--emulator --trace TRACE --dump-flash /nonexistent/x.bin flash HEX",
                   "\"/nonexistent/x.bin\": Arquivo ou pasta inexistente"},
        OutputCase{"fifo_without_a_reader", "--emulator erase --trace TRACE.fifo",
                   "Dispositivo ou endereço inexistente"},
        OutputCase{"trace_on_a_full_device", "--emulator --trace /dev/full erase --lang en",
                   "No space left on device"},
        OutputCase{"stdout_on_a_full_device", "check HEX >/dev/full",
                   "Não há espaço no dispositivo"},
        OutputCase{"dump_over_the_hex", "--emulator --dump-flash HEX flash HEX",
                   "output.hex\" é o arquivo HEX"},
        OutputCase{"log_through_a_link_to_the_hex", "--emulator eeprom HEX --log TRACE.link",
                   ".link\" é o arquivo HEX, que seria apagado."},
        OutputCase{"trace_and_log_in_one_file", "--emulator --trace TRACE --log TRACE erase",
                   "--log e --trace dão o mesmo arquivo"},
        OutputCase{"two_programmers_dump_over_the_hex",
                   "--emulator --emulate programmers=2 --all --dump-eeprom TRACE.hex eeprom "
                   "TRACE-2.hex",
                   "--dump-eeprom \""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantro
