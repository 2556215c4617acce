// SPDX-License-Identifier: MIT
#pragma once
// The emulated programmer with the faults it cannot make itself: a failing report
// write, a flood of unasked input reports, and answers of the wrong length. Each
// fault strikes at the Nth output report, counted from 1 as the emulator counts.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "emulator/emulated_hid_library.h"

namespace vantro::testing {

struct ExtraFaults {
    std::optional<std::uint64_t> fail_write{};  // the Nth write fails; it never reaches the device
    std::optional<std::uint64_t> flood{};       // the Nth write is preceded by a flood
    std::size_t flood_reports = 500;
    std::uint8_t flood_status = 0x00;           // a status that is no answer to the awaited command
    std::optional<std::uint64_t> odd_length{};  // answers to the Nth write come this long:
    std::size_t answer_length = 65;             // fewer bytes are missing, more are cut at 65
};

class FaultyHidLibrary : public hid::HidLibrary {
public:
    FaultyHidLibrary(emulator::EmulatorSettings settings, ExtraFaults faults)
        : inner_(settings), faults_(faults) {}

    bool Connect(hid::EventPoster poster) override { return inner_.Connect(std::move(poster)); }
    bool Disconnect() override { return inner_.Disconnect(); }
    std::uint32_t GetVendorID(hid::DeviceHandle h) override { return inner_.GetVendorID(h); }
    std::uint32_t GetProductID(hid::DeviceHandle h) override { return inner_.GetProductID(h); }
    hid::DeviceHandle GetHandle(std::uint32_t vid, std::uint32_t pid) override {
        return inner_.GetHandle(vid, pid);
    }
    bool SetReadNotify(hid::DeviceHandle h, bool on) override {
        return inner_.SetReadNotify(h, on);
    }

    bool Read(hid::DeviceHandle h, std::span<std::uint8_t, hid::kHidReportSize> buffer) override {
        if (!inner_.Read(h, buffer)) {
            return false;
        }
        if (faults_.odd_length == write_attempts_) {
            // The report as the wire carried it, then read as the contract says.
            std::vector<std::uint8_t> wire(buffer.begin(), buffer.end());
            wire.resize(faults_.answer_length, 0xEE);
            const std::size_t kept = std::min(wire.size(), buffer.size());
            std::fill(std::copy_n(wire.begin(), kept, buffer.begin()), buffer.end(), 0);
        }
        return true;
    }

    bool WriteEx(std::uint32_t vid, std::uint32_t pid,
                 std::span<const std::uint8_t, hid::kHidReportSize> buffer) override {
        ++write_attempts_;
        if (faults_.fail_write == write_attempts_) {
            return false;
        }
        if (faults_.flood == write_attempts_) {
            protocol::Report unasked{};
            unasked[protocol::kStatusIndex] = faults_.flood_status;
            for (std::size_t k = 0; k < faults_.flood_reports; ++k) {
                inner_.inject_input(unasked);
            }
        }
        return inner_.WriteEx(vid, pid, buffer);
    }

    std::uint64_t write_attempts() const { return write_attempts_; }
    const emulator::EmulatedProgrammer& programmer() const { return inner_.programmer(); }

private:
    emulator::EmulatedHidLibrary inner_;
    ExtraFaults faults_;
    std::uint64_t write_attempts_ = 0;
};

}  // namespace vantro::testing
