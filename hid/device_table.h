// SPDX-License-Identifier: MIT
#pragma once
// What a backend knows of every handle it has issued: the device's ids, whether
// it is present, whether its input reports are announced, and the reports
// waiting for Read. Not thread-safe: the backend guards it with its own lock.

#include <cstdint>
#include <deque>
#include <map>
#include <span>
#include <vector>

#include "hid/hid_library.h"

namespace vantro::hid {

class DeviceTable {
public:
    // A present device under a new handle: 1, 2, ..., never reused.
    DeviceHandle add(std::uint32_t vendor_id, std::uint32_t product_id);
    // Gone from now on; its ids stay known, and so do the reports it left.
    void mark_absent(DeviceHandle handle);
    // Its waiting reports are dropped and no new one is announced.
    void forget_inputs(DeviceHandle handle);

    bool present(DeviceHandle handle) const;
    std::vector<DeviceHandle> present_handles() const;  // in the order they were added
    // 0 for a handle never issued.
    std::uint32_t vendor_id(DeviceHandle handle) const;
    std::uint32_t product_id(DeviceHandle handle) const;
    // The present device with these ids that was added first, or 0.
    DeviceHandle first_present(std::uint32_t vendor_id, std::uint32_t product_id) const;

    // False for a handle that is not present (0 included).
    bool set_read_notify(DeviceHandle handle, bool enabled);
    bool read_notify(DeviceHandle handle) const;
    void push_input(DeviceHandle handle, const HidReport& report);
    // Moves the oldest waiting report into buffer; false when none is waiting.
    bool pop_input(DeviceHandle handle, std::span<std::uint8_t, kHidReportSize> buffer);
    std::size_t inputs_waiting(DeviceHandle handle) const;

private:
    struct Device {
        std::uint32_t vendor_id = 0;
        std::uint32_t product_id = 0;
        bool present = true;
        bool read_notify = false;
        std::deque<HidReport> inputs;
    };
    const Device* find(DeviceHandle handle) const;

    std::map<DeviceHandle, Device> devices_;
    DeviceHandle last_handle_ = 0;
};

}  // namespace vantro::hid
