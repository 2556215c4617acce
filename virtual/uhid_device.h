// SPDX-License-Identifier: MIT
#pragma once
// A HID device that the kernel makes from user space through /dev/uhid: it gets
// a real hidraw node, is listed like a USB device, and is gone once destroyed.

#include <linux/uhid.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vantro::virtual_programmer {

struct DeviceIdentity {
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::string product;  // the product string hidapi lists
    std::string serial;   // the serial number hidapi lists
};

class UhidDevice {
public:
    // Opens /dev/uhid; errno is left set when it returns nothing.
    static std::optional<UhidDevice> open();
    UhidDevice(UhidDevice&& other) noexcept;
    UhidDevice& operator=(UhidDevice&&) = delete;
    ~UhidDevice();

    // The kernel's device, with the programmer's report descriptor: one 64-byte
    // input and one 64-byte output report, no report id. False (errno set) on failure.
    bool create(const DeviceIdentity& identity);
    // Removes the kernel's device: its hidraw node goes, its readers see the end.
    void destroy();
    bool created() const { return created_; }

    // One input report of 64 bytes, as the programmer's endpoint sends it.
    bool send_input(std::span<const std::uint8_t> report);
    // Refuses a GET_REPORT or SET_REPORT request: the programmer serves neither.
    bool refuse_request(const uhid_event& request);
    // The next event from the kernel; nothing (errno set) when the read failed.
    std::optional<uhid_event> read_event();

    int descriptor() const { return fd_; }

private:
    explicit UhidDevice(int fd) : fd_(fd) {}
    bool send(const uhid_event& event);

    int fd_ = -1;
    bool created_ = false;
};

}  // namespace vantro::virtual_programmer
