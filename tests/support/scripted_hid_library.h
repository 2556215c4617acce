// SPDX-License-Identifier: MIT
#pragma once
// A HID library that plays a script: each output report is compared with the
// expected one (both dumped in hex on a mismatch) and answered as scripted.

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "hid/hid_library.h"
#include "protocol/report.h"
#include "tests/support/hex_dump.h"

namespace vantro::testing {

struct Step {
    std::optional<protocol::Report> expect;  // the report that must be written
    std::vector<std::uint8_t> answers;       // status bytes answered, in order
    bool unplug = false;                     // the programmer leaves instead of answering
    bool write_fails = false;                // WriteEx reports failure
};

class ScriptedHidLibrary : public hid::HidLibrary {
public:
    static constexpr hid::DeviceHandle kProgrammer = 7;

    explicit ScriptedHidLibrary(bool present = true) : present_(present) {}

    void then(Step step) { script_.push_back(std::move(step)); }
    void answer_next(std::vector<std::uint8_t> answers) { then(Step{{}, std::move(answers)}); }
    const std::vector<protocol::Report>& written() const { return written_; }
    std::size_t steps_left() const { return script_.size(); }

    // Events a test raises by hand.
    void post(hid::HidEventKind kind, hid::DeviceHandle handle) { poster_({kind, handle}); }
    void queue_answer(std::uint8_t status) {
        protocol::Report report{};
        report[2] = status;
        inputs_.push_back(report);
        poster_({hid::HidEventKind::ReadReady, kProgrammer});
    }
    void set_ids(hid::DeviceHandle handle, std::uint32_t vid, std::uint32_t pid) {
        other_ids_.push_back({handle, vid, pid});
    }
    void set_present(bool present) { present_ = present; }

    bool Connect(hid::EventPoster poster) override {
        poster_ = std::move(poster);
        if (present_) {
            poster_({hid::HidEventKind::Plugged, kProgrammer});
            poster_({hid::HidEventKind::Changed, 0});
        }
        return true;
    }
    bool Disconnect() override { return true; }
    std::uint32_t GetVendorID(hid::DeviceHandle h) override { return ids(h).first; }
    std::uint32_t GetProductID(hid::DeviceHandle h) override { return ids(h).second; }
    hid::DeviceHandle GetHandle(std::uint32_t vid, std::uint32_t pid) override {
        return present_ && vid == protocol::PROG_VID && pid == protocol::PROG_PID ? kProgrammer : 0;
    }
    bool SetReadNotify(hid::DeviceHandle h, bool on) override {
        notify_calls_.push_back(h);
        return h != 0 && on;
    }
    bool Read(hid::DeviceHandle, std::span<std::uint8_t, hid::kHidReportSize> buffer) override {
        if (inputs_.empty()) {
            return false;
        }
        std::copy(inputs_.front().begin(), inputs_.front().end(), buffer.begin());
        inputs_.pop_front();
        return true;
    }
    bool WriteEx(std::uint32_t, std::uint32_t,
                 std::span<const std::uint8_t, hid::kHidReportSize> buffer) override {
        protocol::Report report;
        std::copy(buffer.begin(), buffer.end(), report.begin());
        if (!present_) {
            return false;
        }
        written_.push_back(report);
        if (script_.empty()) {
            return true;  // silence
        }
        Step step = std::move(script_.front());
        script_.pop_front();
        if (step.expect && *step.expect != report) {
            ADD_FAILURE() << "report " << written_.size() << " differs\n  expected "
                          << hex_dump(*step.expect) << "\n  written  " << hex_dump(report);
        }
        if (step.write_fails) {
            written_.pop_back();
            return false;
        }
        if (step.unplug) {
            present_ = false;
            poster_({hid::HidEventKind::Unplugged, kProgrammer});
            poster_({hid::HidEventKind::Changed, 0});
            return true;
        }
        for (const std::uint8_t status : step.answers) {
            queue_answer(status);
        }
        return true;
    }

    const std::vector<hid::DeviceHandle>& notify_calls() const { return notify_calls_; }

private:
    struct Ids {
        hid::DeviceHandle handle;
        std::uint32_t vid;
        std::uint32_t pid;
    };
    std::pair<std::uint32_t, std::uint32_t> ids(hid::DeviceHandle h) const {
        if (h == kProgrammer) {
            return {protocol::PROG_VID, protocol::PROG_PID};
        }
        for (const Ids& other : other_ids_) {
            if (other.handle == h) {
                return {other.vid, other.pid};
            }
        }
        return {0, 0};
    }

    bool present_;
    hid::EventPoster poster_;
    std::deque<Step> script_;
    std::deque<protocol::Report> inputs_;
    std::vector<protocol::Report> written_;
    std::vector<Ids> other_ids_;
    std::vector<hid::DeviceHandle> notify_calls_;
};

}  // namespace vantro::testing
