#pragma once
// The emulated programmer behind the HID library interface: a device that can be
// plugged and unplugged, answering after the configured latency.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "emulator/emulated_programmer.h"
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
    bool Read(hid::DeviceHandle handle, std::span<std::uint8_t, hid::kHidReportSize> buffer) override;
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
    std::size_t pending_answers() const;
};

}  // namespace vantro::emulator
