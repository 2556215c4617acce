// SPDX-License-Identifier: MIT
#pragma once
// Passes every call through to another library and writes each output report,
// as it is written, to a stream: one line of 130 upper-case hex digits.

#include <ostream>

#include "hid/hid_library.h"

namespace vantro::hid {

class TracingHidLibrary : public HidLibrary {
public:
    TracingHidLibrary(HidLibrary& inner, std::ostream& trace) : inner_(inner), trace_(trace) {}

    bool Connect(EventPoster poster) override { return inner_.Connect(std::move(poster)); }
    bool Disconnect() override { return inner_.Disconnect(); }
    std::uint32_t GetVendorID(DeviceHandle h) override { return inner_.GetVendorID(h); }
    std::uint32_t GetProductID(DeviceHandle h) override { return inner_.GetProductID(h); }
    DeviceHandle GetHandle(std::uint32_t vid, std::uint32_t pid) override {
        return inner_.GetHandle(vid, pid);
    }
    bool SetReadNotify(DeviceHandle h, bool on) override { return inner_.SetReadNotify(h, on); }
    bool Read(DeviceHandle h, std::span<std::uint8_t, kHidReportSize> buffer) override {
        return inner_.Read(h, buffer);
    }
    bool WriteEx(std::uint32_t vid, std::uint32_t pid,
                 std::span<const std::uint8_t, kHidReportSize> buffer) override;

private:
    HidLibrary& inner_;
    std::ostream& trace_;
};

}  // namespace vantro::hid
