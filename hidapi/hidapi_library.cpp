// SPDX-License-Identifier: MIT
#include "hidapi/hidapi_library.h"

#include <algorithm>

namespace vantro::hid {

HidapiLibrary::HidapiLibrary(ProgrammerIds programmer, std::optional<std::string> device_path)
    : programmer_(programmer), device_path_(std::move(device_path)) {}

HidapiLibrary::~HidapiLibrary() {
    Disconnect();
}

bool HidapiLibrary::Connect(EventPoster poster) {
    if (connected_ || !hidapi_.succeeded()) {
        return false;
    }
    poster_ = std::move(poster);
    connected_ = true;
    scan();
    monitor_ = std::jthread([this](const std::stop_token& stop) { monitor_loop(stop); });
    return true;
}

bool HidapiLibrary::Disconnect() {
    if (!connected_) {
        return false;
    }
    monitor_.request_stop();
    monitor_.join();
    close_all();
    poster_ = nullptr;
    connected_ = false;
    return true;
}

std::uint32_t HidapiLibrary::GetVendorID(DeviceHandle handle) {
    std::lock_guard lock(table_mutex_);
    const auto record = records_.find(handle);
    return record == records_.end() ? 0 : record->second.listing.vendor_id;
}

std::uint32_t HidapiLibrary::GetProductID(DeviceHandle handle) {
    std::lock_guard lock(table_mutex_);
    const auto record = records_.find(handle);
    return record == records_.end() ? 0 : record->second.listing.product_id;
}

DeviceHandle HidapiLibrary::GetHandle(std::uint32_t vendor_id, std::uint32_t product_id) {
    std::lock_guard lock(table_mutex_);
    return first_present(vendor_id, product_id);
}

bool HidapiLibrary::SetReadNotify(DeviceHandle handle, bool enabled) {
    std::lock_guard lock(table_mutex_);
    const auto record = records_.find(handle);
    if (record == records_.end() || !record->second.present) {
        return false;
    }
    record->second.read_notify = enabled;
    return true;
}

bool HidapiLibrary::Read(DeviceHandle handle, std::span<std::uint8_t, kHidReportSize> buffer) {
    std::lock_guard lock(table_mutex_);
    const auto record = records_.find(handle);
    if (record == records_.end() || record->second.inputs.empty()) {
        return false;
    }
    std::ranges::copy(record->second.inputs.front(), buffer.begin());
    record->second.inputs.pop_front();
    return true;
}

bool HidapiLibrary::WriteEx(std::uint32_t vendor_id, std::uint32_t product_id,
                            std::span<const std::uint8_t, kHidReportSize> buffer) {
    std::shared_ptr<HidapiDevice> device;
    {
        std::lock_guard lock(table_mutex_);
        const DeviceHandle handle = first_present(vendor_id, product_id);
        if (handle != 0) {
            device = records_.at(handle).device;
        }
    }
    // Outside the table lock: a slow write must not hold up the reader or the monitor.
    return device != nullptr && device->write(buffer);
}

std::optional<ProgrammerInfo> HidapiLibrary::inaccessible_programmer() const {
    std::lock_guard lock(table_mutex_);
    if (inaccessible_.empty()) {
        return std::nullopt;
    }
    return inaccessible_.front();
}

void HidapiLibrary::on_input(DeviceHandle handle, const HidReport& report) {
    {
        std::lock_guard lock(table_mutex_);
        DeviceRecord& record = records_.at(handle);
        if (!record.read_notify) {
            return;
        }
        record.inputs.push_back(report);
    }
    poster_({HidEventKind::ReadReady, handle});
}

void HidapiLibrary::post_all(const std::vector<HidEvent>& events) const {
    for (const HidEvent& event : events) {
        poster_(event);
    }
}

DeviceHandle HidapiLibrary::first_present(std::uint32_t vendor_id, std::uint32_t product_id) const {
    DeviceHandle first = 0;
    for (const auto& [path, handle] : present_) {
        const HidDeviceListing& listing = records_.at(handle).listing;
        if (listing.vendor_id == vendor_id && listing.product_id == product_id &&
            (first == 0 || handle < first)) {
            first = handle;
        }
    }
    return first;
}

}  // namespace vantro::hid
