// Loading and checking the largest file the line table takes: 20 000 records.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "hex/carrega_hex.h"

namespace {

class PathChooser : public vantro::hex::FileChooser {
public:
    explicit PathChooser(std::string path) : path_(std::move(path)) {}
    std::string choose_hex_file() override { return path_; }

private:
    std::string path_;
};

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
    PathChooser chooser(path);
    vantro::hex::LineTable table;
    for (auto _ : state) {
        const vantro::hex::LoadResult result = vantro::hex::carrega_hex(table, chooser);
        if (result.status != vantro::hex::LoadStatus::Loaded ||
            result.records != vantro::hex::kTableCapacity) {
            state.SkipWithError(result.message.c_str());
            break;
        }
        benchmark::DoNotOptimize(result.image.data_bytes());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadAndCheckFullTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
