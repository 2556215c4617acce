// SPDX-License-Identifier: MIT
#pragma once
// The HID library: eight operations and four events. Backends: hidapi (real
// programmers) and the emulated programmer. Callers rely on exactly this contract.

#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace vantro::hid {

// Opaque, issued by the library; never reused within one process.
using DeviceHandle = std::uint32_t;

enum class HidEventKind : int {
    Plugged = 1,    // handle: the device that arrived
    Unplugged = 2,  // handle: the device that left
    Changed = 3,    // the device list changed; handle unused
    ReadReady = 4,  // handle: one input report is waiting for Read
};

struct HidEvent {
    HidEventKind kind;
    DeviceHandle handle = 0;
    friend bool operator==(const HidEvent&, const HidEvent&) = default;
};

// Supplied by the owner. The library may call it from any thread, in the order
// the events occur; the owner delivers them on its own thread in that order.
using EventPoster = std::function<void(const HidEvent&)>;

inline constexpr std::size_t kHidReportSize = 65;
// One report as Read and WriteEx take it: the report id at index 0, then 64 bytes.
using HidReport = std::array<std::uint8_t, kHidReportSize>;

class HidLibrary {
public:
    virtual ~HidLibrary() = default;

    // Starts device tracking. Devices already present are announced (Plugged,
    // then Changed) through the poster before Connect returns.
    virtual bool Connect(EventPoster poster) = 0;
    // Stops tracking; no event is posted after it returns.
    virtual bool Disconnect() = 0;

    // Ids of a device, also after it was removed; 0 for a handle never issued.
    virtual std::uint32_t GetVendorID(DeviceHandle handle) = 0;
    virtual std::uint32_t GetProductID(DeviceHandle handle) = 0;

    // The handle of a present device with these ids, or 0 when there is none.
    virtual DeviceHandle GetHandle(std::uint32_t vendor_id, std::uint32_t product_id) = 0;

    // While on, every input report of the device is announced with ReadReady.
    // Accepts any value, 0 included (then it returns false and does nothing).
    virtual bool SetReadNotify(DeviceHandle handle, bool enabled) = 0;

    // Moves the oldest waiting input report of the device into buffer: report id
    // at index 0, its bytes after it, at most 65 bytes; the rest is zeroed.
    // False when no report was waiting.
    virtual bool Read(DeviceHandle handle, std::span<std::uint8_t, kHidReportSize> buffer) = 0;

    // Sends the 65 bytes (report id 0, then 64 bytes) as one output report to the
    // present device with these ids. True only when the whole report was written.
    virtual bool WriteEx(std::uint32_t vendor_id, std::uint32_t product_id,
                         std::span<const std::uint8_t, kHidReportSize> buffer) = 0;
};

}  // namespace vantro::hid
