// SPDX-License-Identifier: MIT
// Start-up of the window: time from exec to the window shown (the program quits
// right after its first show) and the peak resident memory, over several starts.
// Targets: 0.5 s and 60 MB. Runs on QT_QPA_PLATFORM=offscreen unless a display
// platform is set. Usage: vantro_bench_app_start [RUNS]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_figures.h"

namespace {

struct Start {
    double seconds = 0;
    double peak_mib = 0;
    bool ok = false;
};

Start start_once() {
    const auto begin = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(VANTRO_APP, VANTRO_APP, "--emulator", "--quit-after-show",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) {
        return {};
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - begin;
    return {elapsed.count(), static_cast<double>(usage.ru_maxrss) / 1024.0,
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    start_once();  // warms the file cache, as a user's second start would find it

    std::vector<double> seconds;
    double peak_mib = 0;
    for (int i = 0; i < runs; ++i) {
        const Start s = start_once();
        if (!s.ok) {
            std::fprintf(stderr, "vantro_bench_app_start: %s did not start and quit cleanly\n",
                         VANTRO_APP);
            return 1;
        }
        seconds.push_back(s.seconds);
        peak_mib = std::max(peak_mib, s.peak_mib);
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("start to window shown: worst %.3f s over %d starts\n", seconds.back(), runs);
    const vantro::bench::Figure start{"start to window shown, median", median, 0.5, "s"};
    const vantro::bench::Figure memory{"peak RSS of vantro", peak_mib * 1.048576, 60, "MB"};
    std::printf("%s\n%s\n", vantro::bench::figure_line(start).c_str(),
                vantro::bench::figure_line(memory).c_str());
    return start.met() && memory.met() ? 0 : 1;
}
