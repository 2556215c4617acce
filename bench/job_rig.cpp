// SPDX-License-Identifier: MIT
#include "bench/job_rig.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "bench/wired_session.h"
#include "emulator/emulated_hid_library.h"
#include "ops/exit_codes.h"
#include "platform/sha256.h"
#include "production/job_records.h"
#include "production/job_run.h"
#include "production/records.h"

namespace vantro::bench {
namespace {

using Clock = std::chrono::steady_clock;

// The emulated programmer, counting the reports written to it.
class CountingLibrary : public emulator::EmulatedHidLibrary {
public:
    CountingLibrary(const emulator::EmulatorSettings& settings, std::atomic<long>& writes)
        : EmulatedHidLibrary(settings), writes_(writes) {}
    bool WriteEx(std::uint32_t vendor_id, std::uint32_t product_id,
                 std::span<const std::uint8_t, hid::kHidReportSize> buffer) override {
        ++writes_;
        return EmulatedHidLibrary::WriteEx(vendor_id, product_id, buffer);
    }

private:
    std::atomic<long>& writes_;
};

class EmulatedPort : public production::SocketPort {
public:
    EmulatedPort(const emulator::EmulatorSettings& settings, std::atomic<long>& writes)
        : library_(settings, writes) {}
    bool ready() const override { return true; }
    hid::HidLibrary& library() override { return library_; }
    ops::Display& display() override { return display_; }
    ops::MemoryReader memory() const override { return {}; }
    production::PortEnd finish(const ops::RunEnd& last) override {
        return {ops::exit_code_for(last.outcome), last.outcome};
    }
    std::string last_message() const override { return {}; }

private:
    CountingLibrary library_;
    SilentDisplay display_;
};

class TimedView : public production::JobView {
public:
    explicit TimedView(const JobShape& shape) : shape_(shape) {}

    std::unique_ptr<production::SocketPort> port(const production::Socket& socket) override {
        emulator::EmulatorSettings settings;
        settings.latency = shape_.latency;
        const bool silent = socket.number == shape_.silent;
        if (silent) {
            settings.silent = 1;
        }
        return std::make_unique<EmulatedPort>(settings, silent ? ignored_writes_ : writes_);
    }
    void chip_started(const production::Socket&, std::optional<std::uint64_t>) override {}
    void chip_ended(const production::Socket& socket,
                    const production::ChipResult& result) override {
        if (socket.number == shape_.silent) {
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
    long writes() const { return writes_; }

private:
    JobShape shape_;
    std::mutex mutex_;
    Clock::time_point last_end_{};
    int chips_ = 0;
    std::atomic<bool> ok_{true};
    std::atomic<long> writes_{0};
    std::atomic<long> ignored_writes_{0};
};

}  // namespace

production::JobFile bench_job_file(const std::string& hex, const std::string& records,
                                   const std::string& log) {
    std::ifstream in(hex, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    production::JobFile job;
    job.path = "bench.toml";
    job.name = "bench";
    job.part = *ops::find_part("AT89S8252");
    job.log = (std::filesystem::temp_directory_path() / log).string();
    job.flash = production::JobImage{hex, platform::sha256_hex(bytes)};
    production::JobSerial serial;
    serial.format = *production::parse_serial_format("u32le");
    job.serial = serial;
    job.records = records;
    return job;
}

JobTiming time_job(const production::JobPlan& plan, const JobShape& shape) {
    std::vector<production::Socket> list;
    for (int k = 1; k <= shape.sockets; ++k) {
        list.push_back({k, "emulated:" + std::to_string(k), "EMU-" + std::to_string(k), {}});
    }
    JobTiming timing;
    std::string reason;
    const auto log = production::ChipLog::open(plan.job().log, reason);
    auto opened = production::open_job_records(plan.job(), production::RecordsAccess::Write);
    auto* records = std::get_if<production::JobRecords>(&opened);
    if (!log || !records) {
        timing.ok = false;
        return timing;
    }
    log->set_durable(true);
    TimedView view(shape);
    std::stop_source stop;
    const int timed = (shape.silent ? shape.sockets - 1 : shape.sockets) * shape.chips_per_socket;
    const auto start = Clock::now();
    {
        production::JobRun run(plan, list, view, *log, *records->records,
                               {std::chrono::seconds(10), "bench", true, std::nullopt},
                               stop.get_token());
        for (int chip = 1; chip < shape.chips_per_socket; ++chip) {
            run.start_every_socket();
        }
        while (view.chips() < timed && view.ok()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        stop.request_stop();  // a silent socket's wait ends; the run is over
    }
    timing.seconds = std::chrono::duration<double>(view.last_end() - start).count();
    timing.chips = view.chips();
    timing.writes = view.writes();
    timing.ok = view.ok();
    return timing;
}

void remove_job_files(const production::JobFile& job) {
    std::filesystem::remove(job.log);
    if (!production::is_records_url(job.records)) {
        for (const std::string& file : production::records_side_files(job.records)) {
            std::filesystem::remove(file);
        }
        std::filesystem::remove(job.records);
    }
}

}  // namespace vantro::bench
