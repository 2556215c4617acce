// SPDX-License-Identifier: MIT
// A production job on 4 emulated sockets answering after 2 ms, one of them silent:
// the other three must program their chips in at most 1.05 times one socket's
// time alone. Each chip: an 8 KiB FLASH image with a serial number in EEPROM,
// the records and the log written to the disk, as on a production line.

#include <filesystem>

#include "bench/bench_figures.h"
#include "bench/job_rig.h"
#include "bench/scratch_hex_file.h"

namespace vantro::bench {
namespace {

void BM_ThreeSocketsBesideASilentOne(benchmark::State& state) {
    const ScratchHexFile hex("job-8k", 8 * 1024);
    const production::JobFile job = bench_job_file(
        hex.path(), (std::filesystem::temp_directory_path() / "bench-sockets.sqlite").string(),
        "bench-sockets.jsonl");
    remove_job_files(job);
    auto made = production::JobPlan::make(job, 1000, {});
    auto* plan = std::get_if<production::JobPlan>(&made);
    if (!plan) {
        state.SkipWithError(std::get<std::string>(made).c_str());
        return;
    }
    double one = 0;
    double three = 0;
    bool ok = true;
    for (auto _ : state) {
        const JobTiming alone = time_job(*plan, {1, 0, 3, std::chrono::milliseconds(2)});
        const JobTiming beside = time_job(*plan, {4, 2, 3, std::chrono::milliseconds(2)});
        one += alone.seconds;
        three += beside.seconds;
        ok = ok && alone.ok && beside.ok;
    }
    remove_job_files(job);
    if (!ok) {
        state.SkipWithError("a timed chip did not pass");
        return;
    }
    report_figure(state, "three_beside_silent_over_one",
                  {"3 chips each on 3 sockets beside a silent one over 1 socket alone, 2 ms "
                   "answers",
                   three / one, 1.05, "x"});
    state.counters["one_s"] = one / static_cast<double>(state.iterations());
    state.counters["three_s"] = three / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ThreeSocketsBesideASilentOne)->Iterations(3)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace vantro::bench

int main(int argc, char** argv) {
    return vantro::bench::run_benchmarks(argc, argv);
}
