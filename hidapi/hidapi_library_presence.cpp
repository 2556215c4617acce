// SPDX-License-Identifier: MIT
// HidapiLibrary's monitor side: listing the devices, opening programmers as they
// arrive and closing them as they leave, and announcing both.

#include <algorithm>
#include <chrono>

#include "hidapi/hidapi_library.h"

namespace vantro::hid {
namespace {

// With the listing's own time this keeps arrival and removal under 300 ms.
constexpr std::chrono::milliseconds kScanPeriod{200};

bool same_node(const HidDeviceListing& a, const HidDeviceListing& b) {
    return a.path == b.path && a.vendor_id == b.vendor_id && a.product_id == b.product_id;
}

// A node that disappeared while being opened is a removal the next listing shows,
// not a fault to tell the user about.
bool vanished(const OpenFailure& failure) {
    return failure.error_number == ENOENT || failure.error_number == ENODEV;
}

}  // namespace

void HidapiLibrary::monitor_loop(const std::stop_token& stop) {
    while (true) {
        {
            std::unique_lock lock(wake_mutex_);
            wake_.wait_for(lock, stop, kScanPeriod, [this] { return rescan_requested_; });
            if (stop.stop_requested()) {
                return;
            }
            rescan_requested_ = false;
        }
        scan();
    }
}

void HidapiLibrary::request_rescan() {
    {
        std::lock_guard lock(wake_mutex_);
        rescan_requested_ = true;
    }
    wake_.notify_one();
}

void HidapiLibrary::scan() {
    const std::vector<HidDeviceListing> listings =
        at_chosen_path(enumerate_hid_devices(programmer_));
    const std::set<std::string> failed = remove_departed(listings);
    add_arrivals(listings, failed);
}

std::set<std::string> HidapiLibrary::remove_departed(
    const std::vector<HidDeviceListing>& listings) {
    std::set<std::string> failed;
    std::vector<HidEvent> events;
    std::vector<std::shared_ptr<HidapiDevice>> leaving;
    {
        std::lock_guard lock(table_mutex_);
        for (auto entry = present_.begin(); entry != present_.end();) {
            PresentNode& node = entry->second;
            const bool listed = std::ranges::any_of(
                listings, [&](const HidDeviceListing& l) { return same_node(l, node.listing); });
            if (listed && !node.device->gone()) {
                ++entry;
                continue;
            }
            if (listed) {
                failed.insert(entry->first);
            }
            table_.mark_absent(node.handle);
            leaving.push_back(std::move(node.device));
            events.push_back({HidEventKind::Unplugged, node.handle});
            events.push_back({HidEventKind::Changed});
            entry = present_.erase(entry);
        }
    }
    // Closing waits for each reader, so its last reports are announced before Unplugged.
    for (const auto& device : leaving) {
        device->close();
    }
    post_all(events);
    return failed;
}

void HidapiLibrary::add_arrivals(const std::vector<HidDeviceListing>& listings,
                                 const std::set<std::string>& skipped) {
    struct Arrival {
        HidDeviceListing listing;
        std::shared_ptr<HidapiDevice> device;
    };
    std::vector<Arrival> arrivals;
    std::vector<ProgrammerInfo> inaccessible;
    for (const HidDeviceListing& listing : listings) {
        {
            std::lock_guard lock(table_mutex_);
            if (present_.contains(listing.path) || skipped.contains(listing.path)) {
                continue;
            }
        }
        auto opened = HidapiDevice::open(listing.path);
        if (auto* const device = std::get_if<std::shared_ptr<HidapiDevice>>(&opened)) {
            arrivals.push_back({listing, std::move(*device)});
        } else if (!vanished(std::get<OpenFailure>(opened))) {
            inaccessible.push_back({listing, std::move(std::get<OpenFailure>(opened))});
        }
    }

    // The table is complete before any event goes out, so a handler sees it as announced.
    std::vector<DeviceHandle> handles;
    bool inaccessible_changed = false;
    {
        std::lock_guard lock(table_mutex_);
        for (const Arrival& arrival : arrivals) {
            const DeviceHandle handle =
                table_.add(arrival.listing.vendor_id, arrival.listing.product_id);
            present_.emplace(arrival.listing.path,
                             PresentNode{handle, arrival.listing, arrival.device});
            handles.push_back(handle);
        }
        inaccessible_changed = inaccessible != inaccessible_;
        inaccessible_ = std::move(inaccessible);
    }
    for (std::size_t i = 0; i < arrivals.size(); ++i) {
        const DeviceHandle handle = handles[i];
        // Announced before its reader starts, so no ReadReady can come first.
        post_all({{HidEventKind::Plugged, handle}, {HidEventKind::Changed}});
        arrivals[i].device->start([this, handle](const HidReport& r) { on_input(handle, r); },
                                  [this] { request_rescan(); });
    }
    if (inaccessible_changed) {
        post_all({{HidEventKind::Changed}});
    }
}

void HidapiLibrary::close_all() {
    std::vector<std::shared_ptr<HidapiDevice>> devices;
    {
        std::lock_guard lock(table_mutex_);
        for (auto& [path, node] : present_) {
            table_.mark_absent(node.handle);
            devices.push_back(std::move(node.device));
        }
        // What the last listing could not open is kept: a run that found no
        // programmer asks why after it has disconnected. The next Connect lists anew.
        present_.clear();
    }
    for (const auto& device : devices) {
        device->request_stop();
    }
    for (const auto& device : devices) {
        device->close();
    }
}

std::vector<HidDeviceListing> HidapiLibrary::at_chosen_path(
    std::vector<HidDeviceListing> listings) const {
    if (device_path_) {
        std::erase_if(listings,
                      [this](const HidDeviceListing& l) { return l.path != *device_path_; });
    }
    return listings;
}

}  // namespace vantro::hid
