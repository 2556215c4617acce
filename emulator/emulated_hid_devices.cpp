// SPDX-License-Identifier: MIT
// The emulated library's device table: simulated hot-plug, injected input, and
// the answers each device holds.

#include "emulator/emulated_hid_library.h"

namespace vantro::emulator {

using hid::DeviceHandle;
using hid::HidEventKind;

void EmulatedHidLibrary::plug() {
    {
        std::lock_guard lock(mutex_);
        if (programmer_handle_ != 0) {
            return;
        }
        programmer_handle_ = add_device_locked(protocol::PROG_VID, protocol::PROG_PID);
    }
    post_queued_events();
}

void EmulatedHidLibrary::unplug() {
    {
        std::lock_guard lock(mutex_);
        if (programmer_handle_ == 0) {
            return;
        }
        remove_device_locked(programmer_handle_);
    }
    schedule_changed_.notify_all();
    post_queued_events();
}

DeviceHandle EmulatedHidLibrary::plug_other(std::uint16_t vendor_id, std::uint16_t product_id) {
    DeviceHandle handle = 0;
    {
        std::lock_guard lock(mutex_);
        handle = add_device_locked(vendor_id, product_id);
    }
    post_queued_events();
    return handle;
}

void EmulatedHidLibrary::unplug_other(DeviceHandle handle) {
    {
        std::lock_guard lock(mutex_);
        if (!devices_.present(handle) || handle == programmer_handle_) {
            return;
        }
        remove_device_locked(handle);
    }
    post_queued_events();
}

void EmulatedHidLibrary::inject_input(const protocol::Report& report) {
    {
        std::lock_guard lock(mutex_);
        if (programmer_handle_ == 0) {
            return;
        }
        deliver_locked(programmer_handle_, report);
    }
    post_queued_events();
}

bool EmulatedHidLibrary::present() const {
    std::lock_guard lock(mutex_);
    return programmer_handle_ != 0;
}

std::size_t EmulatedHidLibrary::pending_answers() const {
    std::lock_guard lock(mutex_);
    if (programmer_handle_ == 0) {
        return 0;
    }
    // Answers of removed handles are dropped, so every due answer is the present one's.
    return devices_.inputs_waiting(programmer_handle_) + due_answers_.size();
}

DeviceHandle EmulatedHidLibrary::add_device_locked(std::uint16_t vendor_id,
                                                   std::uint16_t product_id) {
    const DeviceHandle handle = devices_.add(vendor_id, product_id);
    queue_event_locked(HidEventKind::Plugged, handle);
    queue_event_locked(HidEventKind::Changed);
    return handle;
}

// The ids stay known, so the owner can still tell what left.
void EmulatedHidLibrary::remove_device_locked(DeviceHandle handle) {
    devices_.forget_inputs(handle);
    devices_.mark_absent(handle);
    std::erase_if(due_answers_, [handle](const DueAnswer& due) { return due.handle == handle; });
    if (handle == programmer_handle_) {
        programmer_handle_ = 0;
        programmer_.restart();
    }
    queue_event_locked(HidEventKind::Unplugged, handle);
    queue_event_locked(HidEventKind::Changed);
}

void EmulatedHidLibrary::deliver_locked(DeviceHandle handle, const protocol::Report& report) {
    devices_.push_input(handle, report);
    if (devices_.read_notify(handle)) {
        queue_event_locked(HidEventKind::ReadReady, handle);
    }
}

}  // namespace vantro::emulator
