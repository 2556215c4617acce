// SPDX-License-Identifier: MIT
#pragma once
// One opened programmer. hidapi's handles are not thread-safe, and on hidraw both
// hid_write and hid_read_timeout rewrite the handle's error text without a lock, so
// the device is opened twice: a reader handle used only by the reader thread and a
// writer handle used only under the write lock. hidraw hands every input report to
// every open file, so nothing is lost by reading on one handle and writing on the other.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <stop_token>
#include <string>
#include <thread>
#include <variant>

#include "hid/hid_library.h"
#include "hidapi/hidapi_global.h"

namespace vantro::hid {

class HidapiDevice {
public:
    // Input report as Read gives it: report id 0 at index 0, the device's bytes after it.
    using ReportSink = std::function<void(const HidReport&)>;
    // The reader found the device failing (unplugged); it reads no more.
    using GoneSink = std::function<void()>;

    static std::variant<std::shared_ptr<HidapiDevice>, OpenFailure> open(const std::string& path);

    HidapiDevice(hid_device_* reader, hid_device_* writer) : reader_(reader), writer_(writer) {}
    ~HidapiDevice();
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    // Starts the reader thread; the sinks are called on it.
    void start(ReportSink on_report, GoneSink on_gone);
    // Tells the reader to finish, without waiting: lets several devices wind down at once.
    void request_stop() { reader_thread_.request_stop(); }
    // Waits for the reader (at most one read time-out) and closes both handles.
    // Writes already under way finish first; later ones fail.
    void close();

    // True only when the whole 65-byte report was written. Any thread.
    bool write(std::span<const std::uint8_t, kHidReportSize> report);
    bool gone() const { return gone_.load(); }

private:
    void read_loop(const std::stop_token& stop, const ReportSink& on_report,
                   const GoneSink& on_gone);

    hid_device_* reader_;
    std::mutex write_mutex_;
    hid_device_* writer_;  // guarded by write_mutex_; null once closed
    std::atomic<bool> gone_ = false;
    std::jthread reader_thread_;
};

}  // namespace vantro::hid
