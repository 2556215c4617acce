// SPDX-License-Identifier: MIT
// What the threaded hidapi backend adds to an exchange, and what it costs while
// idle, with an instant programmer behind the hidapi stand-in.
//
// added_us: per exchange, backend (WriteEx, reader thread, event, Read) minus the
// device alone (hid_write then hid_read_timeout on one handle). Target <= 100 us.
// idle_cpu_percent: process CPU time over wall time, connected and idle. Target <= 1 %.

#include <benchmark/benchmark.h>
#include <hidapi.h>

#include <chrono>
#include <thread>

#include "bench/bench_figures.h"
#include "bench/cpu_time.h"
#include "hid/event_queue.h"
#include "hidapi/hidapi_library.h"
#include "tests/hidapi/fake_hidapi.h"
#include "tests/support/report_builder.h"

namespace {

using namespace vantro;
using Clock = std::chrono::steady_clock;

constexpr const char* kPath = "/dev/hidraw0";

// Begin: the cheapest command the emulated programmer echoes (erase fills 66 KiB).
protocol::Report begin_report() {
    return testing::command_report(protocol::kCmdBegin);
}

// The device's own answer time: one handle, no threads of ours.
class DeviceAlone {
public:
    DeviceAlone() : device_(hid_open_path(kPath)) {}
    ~DeviceAlone() { hid_close(device_); }
    DeviceAlone(const DeviceAlone&) = delete;
    DeviceAlone& operator=(const DeviceAlone&) = delete;

    void exchange(const protocol::Report& report) {
        protocol::Report answer{};
        hid_write(device_, report.data(), report.size());
        hid_read_timeout(device_, answer.data(), answer.size(), -1);
    }

    double mean_us(int exchanges) {
        const protocol::Report report = begin_report();
        const auto start = Clock::now();
        for (int i = 0; i < exchanges; ++i) {
            exchange(report);
        }
        return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / exchanges;
    }

private:
    hid_device* device_;
};

// The owner's side of the backend: a queue of events and the response capture.
class Owner {
public:
    Owner() : queue_([this](const hid::HidEvent& event) { handle(event); }) {
        library_.Connect(queue_.poster());
        library_.SetReadNotify(library_.GetHandle(protocol::PROG_VID, protocol::PROG_PID), true);
    }

    void exchange(const protocol::Report& report) {
        answered_ = false;
        library_.WriteEx(protocol::PROG_VID, protocol::PROG_PID, report);
        while (!answered_) {
            queue_.process_pending_events(Clock::now() + std::chrono::seconds(1));
        }
    }

    // Waits until an event of this kind was handled.
    void wait_for(hid::HidEventKind kind) {
        awaited_ = kind;
        seen_ = false;
        while (!seen_) {
            queue_.process_pending_events(Clock::now() + std::chrono::seconds(1));
        }
    }

private:
    void handle(const hid::HidEvent& event) {
        if (event.kind == hid::HidEventKind::ReadReady) {
            protocol::Report buffer{};
            answered_ = library_.Read(event.handle, buffer) || answered_;
        } else if (event.kind == hid::HidEventKind::Changed) {
            library_.SetReadNotify(library_.GetHandle(protocol::PROG_VID, protocol::PROG_PID),
                                   true);
        }
        seen_ = seen_ || event.kind == awaited_;
    }

    hid::HidapiLibrary library_{{protocol::PROG_VID, protocol::PROG_PID}};
    hid::EventQueue queue_;
    bool answered_ = false;
    hid::HidEventKind awaited_ = hid::HidEventKind::Changed;
    bool seen_ = false;
};

void BM_DeviceAlone(benchmark::State& state) {
    fake_hidapi::plug({kPath});
    {
        DeviceAlone device;
        const protocol::Report report = begin_report();
        for (auto _ : state) {
            device.exchange(report);
        }
    }
    fake_hidapi::reset();
}
BENCHMARK(BM_DeviceAlone);

void BM_ExchangeThroughBackend(benchmark::State& state) {
    fake_hidapi::plug({kPath});
    double total_us = 0;
    {
        Owner owner;
        const protocol::Report report = begin_report();
        for (auto _ : state) {
            const auto start = Clock::now();
            owner.exchange(report);
            total_us += std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        }
    }
    const double backend_us = total_us / static_cast<double>(state.iterations());
    state.counters["exchange_us"] = backend_us;
    vantro::bench::report_figure(state, "added_us",
                                 {"latency the hidapi backend adds per exchange (begin reports)",
                                  backend_us - DeviceAlone().mean_us(10000), 100, "us"});
    fake_hidapi::reset();
}
BENCHMARK(BM_ExchangeThroughBackend)->UseRealTime();

void BM_IdleCpu(benchmark::State& state) {
    fake_hidapi::plug({kPath});
    Owner owner;
    for (auto _ : state) {
        const double cpu_before = vantro::bench::cpu_seconds(CLOCK_PROCESS_CPUTIME_ID);
        const auto wall_before = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(3));
        const std::chrono::duration<double> wall = Clock::now() - wall_before;
        vantro::bench::report_figure(
            state, "idle_cpu_percent",
            {"CPU over wall, hidapi backend connected and idle",
             100.0 * (vantro::bench::cpu_seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu_before) /
                 wall.count(),
             1, "%"});
    }
    fake_hidapi::reset();
}
BENCHMARK(BM_IdleCpu)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_PlugAndUnplugSeen(benchmark::State& state) {
    Owner owner;
    double arrival_ms = 0;
    double removal_ms = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        fake_hidapi::plug({kPath});
        owner.wait_for(hid::HidEventKind::Plugged);
        arrival_ms += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        start = Clock::now();
        fake_hidapi::unplug(kPath);
        owner.wait_for(hid::HidEventKind::Unplugged);
        removal_ms += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    state.counters["arrival_ms"] = arrival_ms / static_cast<double>(state.iterations());
    state.counters["removal_ms"] = removal_ms / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PlugAndUnplugSeen)->Iterations(10)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return vantro::bench::run_benchmarks(argc, argv);
}
