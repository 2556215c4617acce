// SPDX-License-Identifier: MIT
#include "hid/device_table.h"

#include <algorithm>

namespace vantro::hid {

DeviceHandle DeviceTable::add(std::uint32_t vendor_id, std::uint32_t product_id) {
    const DeviceHandle handle = ++last_handle_;
    Device& device = devices_[handle];
    device.vendor_id = vendor_id;
    device.product_id = product_id;
    return handle;
}

void DeviceTable::mark_absent(DeviceHandle handle) {
    devices_.at(handle).present = false;
}

void DeviceTable::forget_inputs(DeviceHandle handle) {
    Device& device = devices_.at(handle);
    device.read_notify = false;
    device.inputs.clear();
}

const DeviceTable::Device* DeviceTable::find(DeviceHandle handle) const {
    const auto found = devices_.find(handle);
    return found == devices_.end() ? nullptr : &found->second;
}

bool DeviceTable::present(DeviceHandle handle) const {
    const Device* const device = find(handle);
    return device != nullptr && device->present;
}

std::vector<DeviceHandle> DeviceTable::present_handles() const {
    std::vector<DeviceHandle> handles;
    for (const auto& [handle, device] : devices_) {
        if (device.present) {
            handles.push_back(handle);
        }
    }
    return handles;
}

std::uint32_t DeviceTable::vendor_id(DeviceHandle handle) const {
    const Device* const device = find(handle);
    return device == nullptr ? 0 : device->vendor_id;
}

std::uint32_t DeviceTable::product_id(DeviceHandle handle) const {
    const Device* const device = find(handle);
    return device == nullptr ? 0 : device->product_id;
}

DeviceHandle DeviceTable::first_present(std::uint32_t vendor_id, std::uint32_t product_id) const {
    for (const auto& [handle, device] : devices_) {
        if (device.present && device.vendor_id == vendor_id && device.product_id == product_id) {
            return handle;
        }
    }
    return 0;
}

bool DeviceTable::set_read_notify(DeviceHandle handle, bool enabled) {
    const auto found = devices_.find(handle);
    if (found == devices_.end() || !found->second.present) {
        return false;
    }
    found->second.read_notify = enabled;
    return true;
}

bool DeviceTable::read_notify(DeviceHandle handle) const {
    const Device* const device = find(handle);
    return device != nullptr && device->read_notify;
}

void DeviceTable::push_input(DeviceHandle handle, const HidReport& report) {
    devices_.at(handle).inputs.push_back(report);
}

bool DeviceTable::pop_input(DeviceHandle handle, std::span<std::uint8_t, kHidReportSize> buffer) {
    const auto found = devices_.find(handle);
    if (found == devices_.end() || found->second.inputs.empty()) {
        return false;
    }
    std::ranges::copy(found->second.inputs.front(), buffer.begin());
    found->second.inputs.pop_front();
    return true;
}

std::size_t DeviceTable::inputs_waiting(DeviceHandle handle) const {
    const Device* const device = find(handle);
    return device == nullptr ? 0 : device->inputs.size();
}

}  // namespace vantro::hid
