// SPDX-License-Identifier: MIT
#pragma once
// The emulated programmer behind the HID library interface: a device that can be
// plugged and unplugged, answering after the configured latency.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "emulator/emulated_programmer.h"
#include "hid/device_table.h"
#include "hid/hid_library.h"

namespace vantro::emulator {

class EmulatedHidLibrary : public hid::HidLibrary {
public:
    // plugged: whether the programmer is present when Connect is called.
    explicit EmulatedHidLibrary(EmulatorSettings settings = {}, bool plugged = true);
    ~EmulatedHidLibrary() override;

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

    // Simulated hot-plug: a new handle at each plug; events as a real device gives.
    void plug();
    void unplug();
    // Another HID device (other ids) arriving or leaving, for presence tests.
    hid::DeviceHandle plug_other(std::uint16_t vendor_id, std::uint16_t product_id);
    void unplug_other(hid::DeviceHandle handle);
    // Delivers an input report the programmer sends unasked (fault tests).
    void inject_input(const protocol::Report& report);

    // The model; read it only while no answer is pending (after a run).
    const EmulatedProgrammer& programmer() const { return programmer_; }
    bool present() const;
    // Answers of the present programmer not yet read: still due or waiting for Read.
    std::size_t pending_answers() const;

private:
    struct DueAnswer {
        std::chrono::steady_clock::time_point due;
        hid::DeviceHandle handle = 0;
        protocol::Report report{};
    };

    // The *_locked helpers run under mutex_; the events they queue are posted by
    // post_queued_events once it is released.
    hid::DeviceHandle add_device_locked(std::uint16_t vendor_id, std::uint16_t product_id);
    void remove_device_locked(hid::DeviceHandle handle);
    void deliver_locked(hid::DeviceHandle handle, const protocol::Report& report);
    void queue_event_locked(hid::HidEventKind kind, hid::DeviceHandle handle = 0);
    void post_queued_events();
    void deliver_due_answers();

    EmulatedProgrammer programmer_;
    mutable std::mutex mutex_;
    std::condition_variable schedule_changed_;
    hid::EventPoster poster_;
    bool connected_ = false;
    bool posting_ = false;  // one thread at a time posts, so events keep their order
    hid::DeviceHandle programmer_handle_ = 0;  // 0 while the programmer is absent
    hid::DeviceTable devices_;
    std::deque<DueAnswer> due_answers_;  // in due order
    // When the timer thread wakes next; max() while it waits for a command.
    std::chrono::steady_clock::time_point timer_wake_ =
        std::chrono::steady_clock::time_point::max();
    std::deque<hid::HidEvent> outbox_;
    std::thread timer_;
};

}  // namespace vantro::emulator
