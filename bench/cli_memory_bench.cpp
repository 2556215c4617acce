// SPDX-License-Identifier: MIT
// Peak resident memory of vantro-cli writing a 64 KiB image into the emulated
// programmer's FLASH (target: 10 MB), read from the child's rusage.
// Usage: vantro_bench_cli_memory [RUNS]

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_figures.h"
#include "bench/scratch_hex_file.h"

namespace {

// The child's peak RSS in bytes, or -1 when it did not run and succeed.
long long flash_peak_rss(const std::string& hex_path) {
    const pid_t child = fork();
    if (child == 0) {
        // Only the figure line is wanted on this terminal.
        const int null_device = open("/dev/null", O_WRONLY);
        dup2(null_device, STDOUT_FILENO);
        dup2(null_device, STDERR_FILENO);
        execl(VANTRO_CLI, VANTRO_CLI, "--emulator", "--quiet", "flash", hex_path.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    return static_cast<long long>(usage.ru_maxrss) * 1024;
}

}  // namespace

int main(int argc, char** argv) {
    using vantro::bench::Figure;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const vantro::bench::ScratchHexFile file("cli-64k", vantro::bench::kFullImageBytes);
    long long peak = 0;
    for (int run = 0; run < runs; ++run) {
        const long long bytes = flash_peak_rss(file.path());
        if (bytes < 0) {
            std::fprintf(stderr, "vantro_bench_cli_memory: %s --emulator flash did not succeed\n",
                         VANTRO_CLI);
            return 1;
        }
        peak = std::max(peak, bytes);
    }
    const Figure figure{"peak RSS of vantro-cli --emulator flash (64 KiB)",
                        static_cast<double>(peak) / 1e6, 10, "MB"};
    std::printf("%s\n", vantro::bench::figure_line(figure).c_str());
    return figure.met() ? 0 : 1;
}
