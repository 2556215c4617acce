// SPDX-License-Identifier: MIT
#pragma once
// The HID library on hidapi, for real programmers. hidapi has no hot-plug callback,
// so one monitor thread lists the devices every 200 ms (at once when a reader finds
// its device failing, or when the system says its devices changed); every
// programmer it can open gets a reader thread that announces its input reports.
// Only programmers (the ids it is given) are listed, tracked and opened.

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "hid/device_table.h"
#include "hid/hid_library.h"
#include "hidapi/hidapi_device.h"
#include "hidapi/hidapi_global.h"
#include "hidapi/hidapi_programmer_list.h"

namespace vantro::hid {

class HidapiLibrary : public HidLibrary {
public:
    // programmer: the ids of the devices to open. device_path: when given, only the
    // device node at that path counts (to choose one of several programmers, see
    // list_programmers); otherwise every node does.
    explicit HidapiLibrary(ProgrammerIds programmer,
                           std::optional<std::string> device_path = std::nullopt);
    ~HidapiLibrary() override;
    HidapiLibrary(const HidapiLibrary&) = delete;
    HidapiLibrary& operator=(const HidapiLibrary&) = delete;

    // False when already connected or hidapi could not be initialised.
    bool Connect(EventPoster poster) override;
    // False when not connected. Waits for the threads (at most one read time-out).
    bool Disconnect() override;
    std::uint32_t GetVendorID(DeviceHandle handle) override;
    std::uint32_t GetProductID(DeviceHandle handle) override;
    // With several matching devices, the one that arrived first.
    DeviceHandle GetHandle(std::uint32_t vendor_id, std::uint32_t product_id) override;
    // False for a handle that is not present (0 included).
    bool SetReadNotify(DeviceHandle handle, bool enabled) override;
    // Reports that arrived before the device left can still be read.
    bool Read(DeviceHandle handle, std::span<std::uint8_t, kHidReportSize> buffer) override;
    // Written on the caller's thread, to the device GetHandle gives for these ids.
    bool WriteEx(std::uint32_t vendor_id, std::uint32_t product_id,
                 std::span<const std::uint8_t, kHidReportSize> buffer) override;

    // A present programmer that cannot be opened (failure->permission_denied(): no
    // udev rule for this user), which is therefore not announced; empty when there
    // is none. Opening is retried at every listing; Changed is posted when this changes.
    // Disconnect keeps what the last listing found.
    std::optional<ProgrammerInfo> inaccessible_programmer() const;

    // The system says its devices changed (a window's WM_DEVICECHANGE): they are
    // listed now instead of at the end of the period. Any thread.
    void devices_changed() { request_rescan(); }

private:
    struct PresentNode {
        DeviceHandle handle = 0;
        HidDeviceListing listing;
        std::shared_ptr<HidapiDevice> device;
    };

    void monitor_loop(const std::stop_token& stop);
    void request_rescan();
    // One listing: announces removals, then arrivals. Monitor thread (or Connect
    // before the monitor starts).
    void scan();
    // Returns the paths still listed whose reader failed: they are reopened at the
    // next listing, not this one, so a failing node cannot keep the monitor busy.
    std::set<std::string> remove_departed(const std::vector<HidDeviceListing>& listings);
    void add_arrivals(const std::vector<HidDeviceListing>& listings,
                      const std::set<std::string>& skipped);
    void close_all();
    void on_input(DeviceHandle handle, const HidReport& report);
    void post_all(const std::vector<HidEvent>& events) const;
    // The listings at the chosen device path, or all of them when none was chosen.
    std::vector<HidDeviceListing> at_chosen_path(std::vector<HidDeviceListing> listings) const;

    const ProgrammerIds programmer_;
    const std::optional<std::string> device_path_;
    const HidapiInit hidapi_;
    EventPoster poster_;  // set before any thread starts, read-only while connected
    bool connected_ = false;

    mutable std::mutex table_mutex_;
    DeviceTable table_;                           // every handle ever issued
    std::map<std::string, PresentNode> present_;  // by path
    std::vector<ProgrammerInfo> inaccessible_;

    std::mutex wake_mutex_;
    std::condition_variable_any wake_;
    bool rescan_requested_ = false;  // guarded by wake_mutex_
    std::jthread monitor_;
};

}  // namespace vantro::hid
