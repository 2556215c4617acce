// SPDX-License-Identifier: MIT
#pragma once
// A programmer whose every answer and event comes from the fuzzer's bytes: the
// HID library and the owner's event loop in one, so that what the loop hands
// over and what Read returns are one story. When the bytes run out, the owner
// gives up the wait (as a closing window does), so every run ends.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "hid/event_loop.h"
#include "hid/hid_library.h"
#include "protocol/report.h"

namespace vantro::fuzz {

struct WriteAttempt {
    protocol::Report report;
    bool written = false;
};

class FuzzedHid : public hid::HidLibrary, public hid::EventLoop {
public:
    // Starts afresh on the next input: programmer present, nothing queued or written.
    void start(FuzzedDataProvider& input);

    // How the owner gives up a wait.
    void set_give_up(std::function<void()> give_up) { give_up_ = std::move(give_up); }
    void deliver_to(Delivery delivery) override { dispatch_ = std::move(delivery); }
    // Events wait in the loop until the next call of process_pending_events.
    hid::EventPoster poster() override;
    // The fuzzer's waits never sleep.
    void wake() override {}

    bool Connect(hid::EventPoster poster) override;
    bool Disconnect() override;
    std::uint32_t GetVendorID(hid::DeviceHandle handle) override;
    std::uint32_t GetProductID(hid::DeviceHandle handle) override;
    hid::DeviceHandle GetHandle(std::uint32_t vendor_id, std::uint32_t product_id) override;
    bool SetReadNotify(hid::DeviceHandle handle, bool enabled) override;
    bool Read(hid::DeviceHandle handle,
              std::span<std::uint8_t, hid::kHidReportSize> buffer) override;
    bool WriteEx(std::uint32_t vendor_id, std::uint32_t product_id,
                 std::span<const std::uint8_t, hid::kHidReportSize> buffer) override;

    // Events posted through Connect's poster first; otherwise one fuzzer-chosen happening.
    void process_pending_events(Deadline deadline) override;

    const std::vector<WriteAttempt>& writes() const { return writes_; }

private:
    void happen();
    void answer(std::span<const std::uint8_t> bytes);
    hid::DeviceHandle pick_handle();

    FuzzedDataProvider* input_ = nullptr;
    std::function<void(const hid::HidEvent&)> dispatch_;
    std::function<void()> give_up_;
    hid::EventPoster poster_;
    std::deque<hid::HidEvent> posted_;
    std::deque<std::vector<std::uint8_t>> inputs_;  // raw reports, of any length
    std::vector<WriteAttempt> writes_;
    hid::DeviceHandle programmer_ = 0;  // a new handle at each plug
    bool present_ = false;
    bool fail_next_write_ = false;
};

}  // namespace vantro::fuzz
