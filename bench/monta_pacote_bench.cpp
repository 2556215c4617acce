// SPDX-License-Identifier: MIT
// Packing the data reports of a 64 KiB image, each pass on a freshly loaded table
// (monta_pacote pads the entries in place). Its budget is the 20 us a whole
// exchange may cost the host, so the ratio is its share of that.

#include <chrono>

#include "bench/bench_figures.h"
#include "bench/scratch_hex_file.h"
#include "hex/carrega_hex.h"
#include "hex/monta_pacote.h"
#include "tests/support/ignored_record_labels.h"

namespace vantro::bench {
namespace {

void pack_all(benchmark::State& state, hex::Memory mode) {
    const ScratchHexFile file("pack-64k", kFullImageBytes);
    hex::LineTable loaded;
    if (hex::carrega_hex(loaded, file.path()).status != hex::LoadStatus::Loaded) {
        state.SkipWithError("the generated file was refused");
        return;
    }
    testing::IgnoredRecordLabels labels;
    protocol::Report report{};
    hex::LineTable table;
    double seconds = 0;
    int reports = 0;
    for (auto _ : state) {
        state.PauseTiming();
        table = loaded;
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        reports = 0;
        for (int i = 1; i <= table.total_linhas; i += 3) {
            hex::monta_pacote(mode, i, table, report, labels);
            benchmark::DoNotOptimize(report);
            ++reports;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double report_us = 1e6 * seconds / static_cast<double>(state.iterations()) / reports;
    const std::string name = std::string("monta_pacote per ") +
                             (mode == hex::Memory::Flash ? "FLASH" : "EEPROM") +
                             " report, of the exchange budget";
    report_figure(state, "report_us", {name, report_us, 20, "us"});
}

void BM_PackFlashImage(benchmark::State& state) {
    pack_all(state, hex::Memory::Flash);
}
BENCHMARK(BM_PackFlashImage)->Unit(benchmark::kMicrosecond);

void BM_PackEepromImage(benchmark::State& state) {
    pack_all(state, hex::Memory::Eeprom);
}
BENCHMARK(BM_PackEepromImage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantro::bench

int main(int argc, char** argv) {
    return vantro::bench::run_benchmarks(argc, argv);
}
