// SPDX-License-Identifier: MIT
// A production job on 4 emulated sockets answering after 2 ms, one of them silent:
// the other three must program their chips in at most 1.05 times one socket's
// time alone. Each chip: an 8 KiB FLASH image with a serial number in EEPROM,
// the counter and the log flushed to the disk, as on a production line.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <vector>

#include "bench/bench_figures.h"
#include "bench/scratch_hex_file.h"
#include "emulator/emulated_hid_library.h"
#include "ops/exit_codes.h"
#include "ops/headless_display.h"
#include "platform/sha256.h"
#include "production/job_run.h"

namespace vantro::bench {
namespace {

constexpr auto kLatency = std::chrono::milliseconds(2);
constexpr int kChipsPerSocket = 3;
using Clock = std::chrono::steady_clock;

class SilentDisplay : public ops::HeadlessDisplay {
public:
    void set_status(std::string_view) override {}
    void show_message(std::string_view, std::string_view, ops::MessageIcon) override {}
};

class EmulatedPort : public production::SocketPort {
public:
    explicit EmulatedPort(const emulator::EmulatorSettings& settings) : library_(settings) {}
    bool ready() const override { return true; }
    hid::HidLibrary& library() override { return library_; }
    ops::Display& display() override { return display_; }
    ops::MemoryReader memory() const override { return {}; }
    production::PortEnd finish(const ops::RunEnd& last) override {
        return {ops::exit_code_for(last.outcome), last.outcome};
    }
    std::string last_message() const override { return {}; }

private:
    emulator::EmulatedHidLibrary library_;
    SilentDisplay display_;
};

// Socket `silent` (from 1; 0: none) never answers; the others' chips are timed.
class TimedView : public production::JobView {
public:
    explicit TimedView(int silent) : silent_(silent) {}

    std::unique_ptr<production::SocketPort> port(const production::Socket& socket) override {
        emulator::EmulatorSettings settings;
        settings.latency = kLatency;
        if (socket.number == silent_) {
            settings.silent = 1;
        }
        return std::make_unique<EmulatedPort>(settings);
    }
    void chip_started(const production::Socket&, std::optional<std::uint64_t>) override {}
    void chip_ended(const production::Socket& socket,
                    const production::ChipResult& result) override {
        if (socket.number == silent_) {
            return;
        }
        std::lock_guard lock(mutex_);
        last_end_ = std::max(last_end_, Clock::now());
        ok_ = ok_ && result.passed;
        ++chips_;
    }
    void socket_paused(const production::Socket&) override {}
    void job_stopping(const std::string&) override { ok_ = false; }

    int chips() {
        std::lock_guard lock(mutex_);
        return chips_;
    }
    Clock::time_point last_end() {
        std::lock_guard lock(mutex_);
        return last_end_;
    }
    bool ok() const { return ok_; }

private:
    int silent_;
    std::mutex mutex_;
    Clock::time_point last_end_{};
    int chips_ = 0;
    std::atomic<bool> ok_{true};
};

production::JobFile job_file(const std::string& hex, const std::filesystem::path& folder) {
    std::ifstream in(hex, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    production::JobFile job;
    job.path = "bench.toml";
    job.name = "bench";
    job.part = *ops::find_part("AT89S8252");
    job.log = (folder / "bench.jsonl").string();
    job.flash = production::JobImage{hex, platform::sha256_hex(bytes)};
    production::JobSerial serial;
    serial.format = *production::parse_serial_format("u32le");
    serial.counter = (folder / "bench.counter").string();
    job.serial = serial;
    return job;
}

// The wall time until the timed sockets' last chip ended.
double job_seconds(const production::JobPlan& plan, int sockets, int silent, bool& ok) {
    std::vector<production::Socket> list;
    for (int k = 1; k <= sockets; ++k) {
        list.push_back({k, "emulated:" + std::to_string(k), "EMU-" + std::to_string(k), {}});
    }
    std::string reason;
    const auto log = production::ChipLog::open(plan.job().log, reason);
    log->set_durable(true);
    TimedView view(silent);
    std::stop_source stop;
    const int timed = silent ? sockets - 1 : sockets;
    const auto start = Clock::now();
    {
        production::JobRun run(plan, list, view, *log,
                               {std::chrono::seconds(10), "bench", true, std::nullopt},
                               stop.get_token());
        for (int chip = 1; chip < kChipsPerSocket; ++chip) {
            run.start_every_socket();
        }
        while (view.chips() < timed * kChipsPerSocket) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        stop.request_stop();  // the silent socket's wait ends; the run is over
    }
    ok = ok && view.ok();
    return std::chrono::duration<double>(view.last_end() - start).count();
}

void BM_ThreeSocketsBesideASilentOne(benchmark::State& state) {
    const ScratchHexFile hex("job-8k", 8 * 1024);
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    auto made = production::JobPlan::make(job_file(hex.path(), folder), 1000, {});
    auto* plan = std::get_if<production::JobPlan>(&made);
    if (!plan) {
        state.SkipWithError(std::get<std::string>(made).c_str());
        return;
    }
    double one = 0;
    double three = 0;
    bool ok = true;
    for (auto _ : state) {
        one += job_seconds(*plan, 1, 0, ok);
        three += job_seconds(*plan, 4, 2, ok);
    }
    std::filesystem::remove(folder / "bench.jsonl");
    std::filesystem::remove(folder / "bench.counter");
    std::filesystem::remove(folder / "bench.counter.lock");
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
