// SPDX-License-Identifier: MIT
// Several programmers at once: a 64 KiB FLASH run on four emulated programmers
// answering after 2 ms each must take at most 1.15 times one programmer's run,
// and while they all wait the host may burn at most 1 % of a core per programmer.

#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

#include "bench/bench_figures.h"
#include "bench/cpu_time.h"
#include "bench/scratch_hex_file.h"
#include "bench/wired_session.h"
#include "emulator/emulated_hid_library.h"
#include "ops/programmer_run.h"

namespace vantro::bench {
namespace {

constexpr auto kLatency = std::chrono::milliseconds(2);

struct Measured {
    double wall_seconds = 0;
    double host_cpu_seconds = 0;  // the programmers' own threads, not the stand-ins'
    double process_cpu_seconds = 0;
    bool all_succeeded = true;
};

// One FLASH run of the shared image on `count` programmers at once.
Measured run_on(std::size_t count, const std::shared_ptr<const ops::PreparedImage>& image) {
    emulator::EmulatorSettings settings;
    settings.latency = kLatency;
    std::vector<std::unique_ptr<emulator::EmulatedHidLibrary>> libraries;
    std::vector<std::unique_ptr<SilentDisplay>> displays;
    std::vector<ops::ProgrammerJob> jobs;
    for (std::size_t i = 0; i < count; ++i) {
        libraries.push_back(std::make_unique<emulator::EmulatedHidLibrary>(settings));
        displays.push_back(std::make_unique<SilentDisplay>());
        jobs.push_back({libraries.back().get(), displays.back().get(), {}, {}});
    }
    ops::RunRequest request;
    request.operation = ops::Operation::Flash;
    request.image = image;
    std::atomic<double> host_cpu{0};
    std::atomic<bool> succeeded{true};
    Measured measured;
    const double process_before = cpu_seconds(CLOCK_PROCESS_CPUTIME_ID);
    const auto start = std::chrono::steady_clock::now();
    ops::run_in_parallel(jobs, request, [&](std::size_t, const ops::RunEnd& end) {
        // Each programmer's thread lives for its run alone: its clock is the run's cost.
        host_cpu.fetch_add(cpu_seconds(CLOCK_THREAD_CPUTIME_ID));
        if (end.outcome != ops::Outcome::Success) {
            succeeded = false;
        }
    });
    measured.wall_seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    measured.process_cpu_seconds = cpu_seconds(CLOCK_PROCESS_CPUTIME_ID) - process_before;
    measured.host_cpu_seconds = host_cpu.load();
    measured.all_succeeded = succeeded.load();
    return measured;
}

void BM_FourProgrammersAgainstOne(benchmark::State& state) {
    const ScratchHexFile file("parallel-64k", kFullImageBytes);
    const auto image = ops::prepare(file.path(), ops::PrepareSettings{});
    double one = 0;
    double four = 0;
    double host_cpu = 0;
    double process_cpu = 0;
    for (auto _ : state) {
        const Measured alone = run_on(1, image);
        const Measured together = run_on(4, image);
        if (!alone.all_succeeded || !together.all_succeeded) {
            state.SkipWithError("a FLASH run did not succeed");
            return;
        }
        one += alone.wall_seconds;
        four += together.wall_seconds;
        host_cpu += together.host_cpu_seconds;
        process_cpu += together.process_cpu_seconds;
    }
    report_figure(state, "four_over_one",
                  {"64 KiB on 4 programmers at once over 1 alone, answers after 2 ms", four / one,
                   1.15, "x"});
    report_figure(state, "cpu_percent_per_programmer",
                  {"host CPU per programmer while 4 wait 2 ms per answer",
                   100 * host_cpu / four / 4, 1, "%"});
    state.counters["one_s"] = one / static_cast<double>(state.iterations());
    state.counters["four_s"] = four / static_cast<double>(state.iterations());
    // With the emulated programmers' own timer threads, which stand in for hardware.
    state.counters["process_percent_per_programmer"] = 100 * process_cpu / four / 4;
}
BENCHMARK(BM_FourProgrammersAgainstOne)->Iterations(2)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace vantro::bench

int main(int argc, char** argv) {
    return vantro::bench::run_benchmarks(argc, argv);
}
