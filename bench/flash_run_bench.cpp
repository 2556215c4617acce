// SPDX-License-Identifier: MIT
// A whole FLASH run of a 64 KiB image on the emulated programmer, in process:
// what the host costs per exchange when the programmer answers at once, what
// share of it the rehearsal before the first report takes, and how little CPU
// it burns while the programmer takes 5 ms per answer.

#include <chrono>
#include <thread>

#include "bench/bench_figures.h"
#include "bench/cpu_time.h"
#include "bench/scratch_hex_file.h"
#include "bench/wired_session.h"
#include "emulator/emulated_hid_library.h"
#include "ops/rehearsal.h"

namespace vantro::bench {
namespace {

using EmulatedSession = WiredSession<emulator::EmulatedHidLibrary>;

// Every thread of the process: the session's and the emulated programmer's timer.
double process_cpu() {
    return cpu_seconds(CLOCK_PROCESS_CPUTIME_ID);
}

// The session's thread alone: the host's part, without the programmer's stand-in.
double session_cpu() {
    return cpu_seconds(CLOCK_THREAD_CPUTIME_ID);
}

void BM_FlashRunInstant(benchmark::State& state) {
    const ScratchHexFile file("flash-64k", kFullImageBytes);
    EmulatedSession wired(file.path());
    double seconds = 0;
    int exchanges = 0;
    for (auto _ : state) {
        const TimedRun run = wired.flash();
        if (run.outcome != ops::Outcome::Success) {
            state.SkipWithError("the FLASH run did not succeed");
            return;
        }
        seconds += run.seconds;
        exchanges = run.exchanges;
    }
    const double runs = static_cast<double>(state.iterations());
    const double run_ms = 1e3 * seconds / runs;
    const double exchange_us = 1e3 * run_ms / exchanges;
    report_figure(state, "run_ms", {"FLASH run of 64 KiB, in process", run_ms, 30, "ms"});
    report_figure(state, "exchange_us", {"exchange, in process", exchange_us, 20, "us"});
    report_figure(
        state, "usb_share",
        {"host share of a 2 ms USB exchange, in process", exchange_us, kUsbExchangeUs, "us"});
    state.counters["exchanges"] = exchanges;
}
BENCHMARK(BM_FlashRunInstant)->Unit(benchmark::kMillisecond)->UseRealTime();

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The rehearsal alone (the run packs its reports once, for the rehearsal and the
// run alike), against whole runs made in the same process.
void BM_RehearsalShareOfAFlashRun(benchmark::State& state) {
    const ScratchHexFile file("rehearsal-64k", kFullImageBytes);
    EmulatedSession wired(file.path());
    constexpr int kRuns = 20;
    double run_seconds = 0;
    for (int k = 0; k < kRuns; ++k) {
        run_seconds += wired.flash().seconds;
    }
    hex::LineTable table;
    const hex::LoadResult loaded = hex::carrega_hex(table, file.path());
    const ops::PackedRun packed = ops::PackedRun::pack(hex::Memory::Flash, table);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto difference = ops::rehearse(packed, loaded.image, {});
        benchmark::DoNotOptimize(difference);
        seconds += seconds_since(start);
        if (difference) {
            state.SkipWithError("the rehearsal refused the image");
            return;
        }
    }
    const double rehearsal_ms = 1e3 * seconds / static_cast<double>(state.iterations());
    const double run_ms = 1e3 * run_seconds / kRuns;
    report_figure(
        state, "rehearsal_percent",
        {"rehearsal, share of a 64 KiB FLASH run in process", 100 * rehearsal_ms / run_ms, 5, "%"});
    state.counters["rehearsal_us"] = 1e3 * rehearsal_ms;
    state.counters["run_us"] = 1e3 * run_ms;
}
BENCHMARK(BM_RehearsalShareOfAFlashRun)->Unit(benchmark::kMicrosecond)->UseRealTime();

// About 100 exchanges of 5 ms: the waits must sleep, not spin.
void BM_FlashRunCpuAtLatency5(benchmark::State& state) {
    constexpr std::size_t kImageBytes = 97 * 48;  // 97 data reports
    const ScratchHexFile file("flash-latency", kImageBytes);
    emulator::EmulatorSettings settings;
    settings.latency = std::chrono::milliseconds(5);
    EmulatedSession wired(file.path(), settings);
    double cpu_seconds = 0;
    double session_cpu_seconds = 0;
    double wall_seconds = 0;
    for (auto _ : state) {
        const double cpu_before = process_cpu();
        const double session_cpu_before = session_cpu();
        const TimedRun run = wired.flash();
        session_cpu_seconds += session_cpu() - session_cpu_before;
        cpu_seconds += process_cpu() - cpu_before;
        wall_seconds += run.seconds;
        if (run.outcome != ops::Outcome::Success) {
            state.SkipWithError("the FLASH run did not succeed");
            return;
        }
        state.counters["exchanges"] = run.exchanges;
    }
    report_figure(state, "cpu_percent",
                  {"CPU over wall, answers after 5 ms", 100 * cpu_seconds / wall_seconds, 1, "%"});
    state.counters["session_thread_percent"] = 100 * session_cpu_seconds / wall_seconds;
}
BENCHMARK(BM_FlashRunCpuAtLatency5)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The machine's own floor for the figure above: one thread that only sleeps 5 ms
// per exchange. On a virtual machine each wake from idle can cost tens of us.
void BM_SleepFloorAt5ms(benchmark::State& state) {
    constexpr int kExchanges = 100;
    double cpu_seconds = 0;
    double wall_seconds = 0;
    for (auto _ : state) {
        const double cpu_before = process_cpu();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kExchanges; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        wall_seconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpu_seconds += process_cpu() - cpu_before;
    }
    state.counters["floor_percent"] = 100 * cpu_seconds / wall_seconds;
}
BENCHMARK(BM_SleepFloorAt5ms)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace vantro::bench

int main(int argc, char** argv) {
    return vantro::bench::run_benchmarks(argc, argv);
}
