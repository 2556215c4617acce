// SPDX-License-Identifier: MIT
#pragma once
// Runs the built vantro-cli (or any command) through the shell and keeps what it said.

#ifdef _WIN32
#include <process.h>

#include <algorithm>

#include "platform/utf8.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/read_all.h"

namespace vantro::testing {

struct CliRun {
    int exit_code = -1;
    std::string out;
    std::string err;
    std::chrono::milliseconds took{0};
};

inline std::string scratch_path(const std::string& name) {
    return std::string(VANTRO_TEST_TMP) + "/" + name;
}

// Runs a shell command line; arguments must already be quoted where needed.
inline CliRun run_shell(const std::string& command_line) {
    // Tests run in parallel processes: each run gets files of its own.
    static int runs = 0;
    const std::string stem = "run-" + std::to_string(::getpid()) + "-" + std::to_string(++runs);
    const std::string out = scratch_path(stem + ".out");
    const std::string err = scratch_path(stem + ".err");
    const auto start = std::chrono::steady_clock::now();
#ifdef _WIN32
    // The tests quote as sh does; cmd.exe knows only double quotes, and strips the
    // outermost pair. _wsystem, as the ANSI code page would lose every letter outside it.
    std::string line = "\"" + command_line + " >" + out + " 2>" + err + " <NUL\"";
    std::replace(line.begin(), line.end(), '\'', '"');
    // Under Wine, starting cmd.exe now and then fails at once (-1: nothing ran);
    // such a start is tried again.
    int exit_code = -1;
    for (int attempt = 0; attempt < 3 && exit_code == -1; ++attempt) {
        exit_code = ::_wsystem(platform::utf16_from_utf8(line).c_str());
    }
#else
    const int status =
        std::system(("(" + command_line + ") >" + out + " 2>" + err + " </dev/null").c_str());
    const int exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    CliRun run;
    run.took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    run.exit_code = exit_code;
    run.out = read_all(out);
    run.err = read_all(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    return run;
}

inline CliRun run_cli(const std::string& arguments) {
    return run_shell(std::string("'") + VANTRO_CLI + "' " + arguments);
}

}  // namespace vantro::testing
