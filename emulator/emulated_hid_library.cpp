// SPDX-License-Identifier: MIT
#include "emulator/emulated_hid_library.h"

#include <algorithm>

namespace vantro::emulator {

using hid::DeviceHandle;
using hid::HidEventKind;
using Clock = std::chrono::steady_clock;

namespace {

// How late an answer may come so that the timer thread need not be woken for it.
Clock::duration answer_slack(Clock::duration latency) {
    return latency / 20;
}

}  // namespace

EmulatedHidLibrary::EmulatedHidLibrary(EmulatorSettings settings, bool plugged)
    : programmer_(settings) {
    if (plugged) {
        programmer_handle_ = add_device_locked(protocol::PROG_VID, protocol::PROG_PID);
    }
}

EmulatedHidLibrary::~EmulatedHidLibrary() {
    Disconnect();
}

bool EmulatedHidLibrary::Connect(hid::EventPoster poster) {
    if (!poster) {
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        if (connected_) {
            return false;
        }
        poster_ = std::move(poster);
        connected_ = true;
        bool any_present = false;
        for (const DeviceHandle handle : devices_.present_handles()) {
            queue_event_locked(HidEventKind::Plugged, handle);
            any_present = true;
        }
        if (any_present) {
            queue_event_locked(HidEventKind::Changed);
        }
        const EmulatorSettings& settings = programmer_.settings();
        if (settings.latency.count() > 0 || settings.late) {
            timer_ = std::thread([this] { deliver_due_answers(); });
        }
    }
    post_queued_events();
    return true;
}

bool EmulatedHidLibrary::Disconnect() {
    std::thread timer;
    {
        std::lock_guard lock(mutex_);
        connected_ = false;
        poster_ = nullptr;
        outbox_.clear();
        due_answers_.clear();
        timer = std::move(timer_);
    }
    schedule_changed_.notify_all();
    if (timer.joinable()) {
        timer.join();
    }
    return true;
}

std::uint32_t EmulatedHidLibrary::GetVendorID(DeviceHandle handle) {
    std::lock_guard lock(mutex_);
    return devices_.vendor_id(handle);
}

std::uint32_t EmulatedHidLibrary::GetProductID(DeviceHandle handle) {
    std::lock_guard lock(mutex_);
    return devices_.product_id(handle);
}

DeviceHandle EmulatedHidLibrary::GetHandle(std::uint32_t vendor_id, std::uint32_t product_id) {
    std::lock_guard lock(mutex_);
    return devices_.first_present(vendor_id, product_id);
}

bool EmulatedHidLibrary::SetReadNotify(DeviceHandle handle, bool enabled) {
    std::lock_guard lock(mutex_);
    return devices_.set_read_notify(handle, enabled);
}

bool EmulatedHidLibrary::Read(DeviceHandle handle,
                              std::span<std::uint8_t, hid::kHidReportSize> buffer) {
    std::lock_guard lock(mutex_);
    return devices_.pop_input(handle, buffer);
}

bool EmulatedHidLibrary::WriteEx(std::uint32_t vendor_id, std::uint32_t product_id,
                                 std::span<const std::uint8_t, hid::kHidReportSize> buffer) {
    bool wake_timer = false;
    {
        std::lock_guard lock(mutex_);
        const DeviceHandle handle = connected_ ? devices_.first_present(vendor_id, product_id) : 0;
        if (handle == 0) {
            return false;
        }
        if (handle != programmer_handle_) {
            return true;  // another device takes the report and says nothing
        }
        const Reaction reaction = programmer_.receive(buffer);
        if (reaction.unplugged) {
            remove_device_locked(handle);
        }
        const auto latency = programmer_.settings().latency;
        const auto delay = latency + reaction.delay;
        for (const protocol::Report& report : reaction.answers) {
            if (delay.count() == 0) {
                deliver_locked(handle, report);
            } else {
                const Clock::time_point due = Clock::now() + delay;
                // A late answer lets the ones after it overtake it.
                const auto place = std::upper_bound(
                    due_answers_.begin(), due_answers_.end(), due,
                    [](Clock::time_point t, const DueAnswer& answer) { return t < answer.due; });
                due_answers_.insert(place, {due, handle, report});
                wake_timer = wake_timer || timer_wake_ > due + answer_slack(latency);
            }
        }
    }
    if (wake_timer) {
        schedule_changed_.notify_all();
    }
    post_queued_events();
    return true;
}

void EmulatedHidLibrary::queue_event_locked(HidEventKind kind, DeviceHandle handle) {
    if (connected_) {
        outbox_.push_back({kind, handle});
    }
}

// Never holds mutex_ while posting. A thread that finds another one posting leaves
// its events to it, so they go out in the order they were queued.
void EmulatedHidLibrary::post_queued_events() {
    std::unique_lock lock(mutex_);
    if (posting_) {
        return;
    }
    posting_ = true;
    while (connected_ && !outbox_.empty()) {
        const hid::HidEvent event = outbox_.front();
        outbox_.pop_front();
        const hid::EventPoster poster = poster_;
        lock.unlock();
        poster(event);
        lock.lock();
    }
    posting_ = false;
}

// The timer thread: answers become readable, and are announced, when they are due.
//
// After an answer the host's next command usually follows within microseconds.
// Rather than be woken by that command and then sleep again until its answer is
// due, the thread sleeps once, until a latency and a twentieth after the answer:
// a command sent within that twentieth wakes nobody, and its answer comes at
// most a twentieth of the latency late. On a virtual machine a wake costs tens
// of µs.
void EmulatedHidLibrary::deliver_due_answers() {
    const Clock::duration latency = programmer_.settings().latency;
    const Clock::duration slack = answer_slack(latency);
    std::unique_lock lock(mutex_);
    bool delivered = false;
    while (connected_) {
        if (due_answers_.empty()) {
            if (!delivered) {
                timer_wake_ = Clock::time_point::max();
                schedule_changed_.wait(lock);
                continue;
            }
            delivered = false;
            timer_wake_ = Clock::now() + latency + slack;
            schedule_changed_.wait_until(lock, timer_wake_);
            continue;
        }
        const DueAnswer next = due_answers_.front();
        if (Clock::now() < next.due) {
            timer_wake_ = next.due;
            schedule_changed_.wait_until(lock, next.due);
            continue;
        }
        due_answers_.pop_front();
        deliver_locked(next.handle, next.report);
        delivered = true;
        lock.unlock();
        post_queued_events();
        lock.lock();
    }
}

}  // namespace vantro::emulator
