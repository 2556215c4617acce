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
    return table_.vendor_id(handle);
}

std::uint32_t HidapiLibrary::GetProductID(DeviceHandle handle) {
    std::lock_guard lock(table_mutex_);
    return table_.product_id(handle);
}

DeviceHandle HidapiLibrary::GetHandle(std::uint32_t vendor_id, std::uint32_t product_id) {
    std::lock_guard lock(table_mutex_);
    return table_.first_present(vendor_id, product_id);
}

bool HidapiLibrary::SetReadNotify(DeviceHandle handle, bool enabled) {
    std::lock_guard lock(table_mutex_);
    return table_.set_read_notify(handle, enabled);
}

bool HidapiLibrary::Read(DeviceHandle handle, std::span<std::uint8_t, kHidReportSize> buffer) {
    std::lock_guard lock(table_mutex_);
    return table_.pop_input(handle, buffer);
}

bool HidapiLibrary::WriteEx(std::uint32_t vendor_id, std::uint32_t product_id,
                            std::span<const std::uint8_t, kHidReportSize> buffer) {
    std::shared_ptr<HidapiDevice> device;
    {
        std::lock_guard lock(table_mutex_);
        const DeviceHandle handle = table_.first_present(vendor_id, product_id);
        const auto node = std::ranges::find(present_, handle,
                                            [](const auto& entry) { return entry.second.handle; });
        if (node != present_.end()) {
            device = node->second.device;
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
        if (!table_.read_notify(handle)) {
            return;
        }
        table_.push_input(handle, report);
    }
    poster_({HidEventKind::ReadReady, handle});
}

void HidapiLibrary::post_all(const std::vector<HidEvent>& events) const {
    for (const HidEvent& event : events) {
        poster_(event);
    }
}

}  // namespace vantro::hid
