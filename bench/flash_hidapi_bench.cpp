// SPDX-License-Identifier: MIT
// The 64 KiB FLASH run through the threaded hidapi backend (writer on the caller's
// thread, reader thread, events to the owner), with an instant programmer behind
// the hidapi stand-in. What the backend adds per exchange is the difference from
// the same run on the in-process emulated programmer.

#include "bench/bench_figures.h"
#include "bench/scratch_hex_file.h"
#include "bench/wired_session.h"
#include "emulator/emulated_hid_library.h"
#include "hidapi/hidapi_library.h"
#include "tests/hidapi/fake_hidapi.h"

namespace vantro::bench {
namespace {

constexpr const char* kPath = "/dev/hidraw0";
constexpr int kReferenceRuns = 20;

double in_process_run_seconds(const std::string& path) {
    WiredSession<emulator::EmulatedHidLibrary> wired(path);
    double seconds = 0;
    for (int run = 0; run < kReferenceRuns; ++run) {
        seconds += wired.flash().seconds;
    }
    return seconds / kReferenceRuns;
}

void BM_FlashRunThroughHidapi(benchmark::State& state) {
    const ScratchHexFile file("hidapi-64k", kFullImageBytes);
    fake_hidapi::plug({kPath});
    double seconds = 0;
    int exchanges = 0;
    {
        WiredSession<hid::HidapiLibrary> wired(
            file.path(), hid::ProgrammerIds{protocol::PROG_VID, protocol::PROG_PID});
        for (auto _ : state) {
            const TimedRun run = wired.flash();
            if (run.outcome != ops::Outcome::Success) {
                state.SkipWithError("the FLASH run did not succeed");
                break;
            }
            seconds += run.seconds;
            exchanges = run.exchanges;
        }
    }
    fake_hidapi::reset();
    if (state.error_occurred()) {
        return;
    }
    const double run_seconds = seconds / static_cast<double>(state.iterations());
    const double exchange_us = 1e6 * run_seconds / exchanges;
    const double added_us = 1e6 * (run_seconds - in_process_run_seconds(file.path())) / exchanges;
    report_figure(state, "added_us",
                  {"latency the hidapi backend adds per exchange", added_us, 100, "us"});
    report_figure(
        state, "usb_share",
        {"host share of a 2 ms USB exchange, hidapi backend", exchange_us, kUsbExchangeUs, "us"});
    state.counters["run_ms"] = 1e3 * run_seconds;
    state.counters["exchanges"] = exchanges;
}
BENCHMARK(BM_FlashRunThroughHidapi)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace vantro::bench

int main(int argc, char** argv) {
    return vantro::bench::run_benchmarks(argc, argv);
}
