// SPDX-License-Identifier: MIT
// Loading and checking the largest file the line table takes: 20 000 records
// (target: 20 ms or less).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/bench_figures.h"
#include "hex/carrega_hex.h"

namespace {

// 19 999 data records of 3 bytes (all below 64 KiB) and the end record, with CR LF.
std::string write_full_table_file() {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("vantro_hex_bench_" + std::to_string(::getpid()) + ".hex");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    char line[32];
    for (unsigned k = 0; k < vantro::hex::kTableCapacity - 1; ++k) {
        const unsigned address = k * 3;
        const unsigned sum = 3 + (address >> 8) + (address & 0xFF) + 0x12 + 0x34 + (k & 0xFF);
        std::snprintf(line, sizeof line, ":03%04X001234%02X%02X\r\n", address, k & 0xFF,
                      (256 - sum % 256) % 256);
        out << line;
    }
    out << ":00000001FF\r\n";
    return path.string();
}

void BM_LoadAndCheckFullTable(benchmark::State& state) {
    const std::string path = write_full_table_file();
    vantro::hex::LineTable table;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const vantro::hex::LoadResult result = vantro::hex::carrega_hex(table, path);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (result.status != vantro::hex::LoadStatus::Loaded ||
            result.records != vantro::hex::kTableCapacity) {
            state.SkipWithError(result.message.c_str());
            break;
        }
        benchmark::DoNotOptimize(result.image.data_bytes());
    }
    std::filesystem::remove(path);
    const double load_ms = 1e3 * seconds / static_cast<double>(state.iterations());
    vantro::bench::report_figure(state, "load_ms",
                                 {"loading and checking 20 000 records", load_ms, 20, "ms"});
}
BENCHMARK(BM_LoadAndCheckFullTable)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return vantro::bench::run_benchmarks(argc, argv);
}
