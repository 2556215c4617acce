// SPDX-License-Identifier: MIT
#include "hidapi/hidapi_device.h"

#include <hidapi.h>

namespace vantro::hid {
namespace {

// Long enough to cost nothing while idle, short enough that closing waits little.
constexpr int kReadTimeoutMs = 100;

}  // namespace

std::variant<std::shared_ptr<HidapiDevice>, OpenFailure> HidapiDevice::open(
    const std::string& path) {
    auto reader = open_hid_device(path);
    if (auto* const failure = std::get_if<OpenFailure>(&reader)) {
        return std::move(*failure);
    }
    auto writer = open_hid_device(path);
    if (auto* const failure = std::get_if<OpenFailure>(&writer)) {
        hid_close(std::get<hid_device*>(reader));
        return std::move(*failure);
    }
    return std::make_shared<HidapiDevice>(std::get<hid_device*>(reader),
                                          std::get<hid_device*>(writer));
}

HidapiDevice::~HidapiDevice() {
    close();
}

void HidapiDevice::start(ReportSink on_report, GoneSink on_gone) {
    reader_thread_ =
        std::jthread([this, on_report = std::move(on_report), on_gone = std::move(on_gone)](
                         const std::stop_token& stop) { read_loop(stop, on_report, on_gone); });
}

void HidapiDevice::close() {
    if (reader_thread_.joinable()) {
        reader_thread_.request_stop();
        reader_thread_.join();
    }
    if (reader_ != nullptr) {
        hid_close(reader_);
        reader_ = nullptr;
    }
    std::lock_guard lock(write_mutex_);
    if (writer_ != nullptr) {
        hid_close(writer_);
        writer_ = nullptr;
    }
}

bool HidapiDevice::write(std::span<const std::uint8_t, kHidReportSize> report) {
    std::lock_guard lock(write_mutex_);
    if (writer_ == nullptr) {
        return false;
    }
    return hid_write(writer_, report.data(), report.size()) == static_cast<int>(kHidReportSize);
}

void HidapiDevice::read_loop(const std::stop_token& stop, const ReportSink& on_report,
                             const GoneSink& on_gone) {
    while (!stop.stop_requested()) {
        // Unnumbered reports come without their id: it is 0, at index 0.
        HidReport report{};
        const int length =
            hid_read_timeout(reader_, report.data() + 1, report.size() - 1, kReadTimeoutMs);
        if (length < 0) {
            gone_ = true;
            on_gone();
            return;
        }
        if (length > 0) {
            on_report(report);
        }
    }
}

}  // namespace vantro::hid
