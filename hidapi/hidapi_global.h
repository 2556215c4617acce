// SPDX-License-Identifier: MIT
#pragma once
// The hidapi calls that touch its process-wide state. hidapi keeps one global error
// text that hid_enumerate and hid_open_path rewrite without a lock, so every such
// call in the program goes through here, under one lock.

#include <cerrno>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

struct hid_device_;

namespace vantro::hid {

// One HID device node as the host lists it.
struct HidDeviceListing {
    std::string path;
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::string serial;
    std::string product;
    friend bool operator==(const HidDeviceListing&, const HidDeviceListing&) = default;
};

// The vendor and product id of the devices to open: the programmers.
struct ProgrammerIds {
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    bool match(const HidDeviceListing& device) const {
        return device.vendor_id == vendor_id && device.product_id == product_id;
    }
};

// Why a device node could not be opened.
struct OpenFailure {
    // errno of the failed open, 0 when hidapi left none; on Windows the errno
    // that means what Windows said.
    int error_number = 0;
    std::string message;  // hidapi's own description, UTF-8
    // Windows: another program holds the programmer for itself.
    bool held_by_another_program = false;
    // Linux: no udev rule gives this user the node: the fix is to install it and
    // replug. Windows: held by another program.
    bool permission_denied() const { return error_number == EACCES || error_number == EPERM; }
    friend bool operator==(const OpenFailure&, const OpenFailure&) = default;
};

// hid_init's reference count: keeps hidapi initialised while at least one of these
// exists (hid_init before the first, hid_exit after the last). Create it before
// starting threads that use hidapi.
class HidapiInit {
public:
    HidapiInit();
    ~HidapiInit();
    HidapiInit(const HidapiInit&) = delete;
    HidapiInit& operator=(const HidapiInit&) = delete;

    bool succeeded() const { return initialised_; }

private:
    bool initialised_ = false;
};

// Every HID device node present now with these ids. Only they are asked for their
// strings: on Windows asking every device takes seconds when one of them is slow.
std::vector<HidDeviceListing> enumerate_hid_devices(ProgrammerIds ids);

// A handle of the caller's own on the node, or why it could not be opened. The
// handle belongs to one thread at a time; close it with hid_close.
std::variant<hid_device_*, OpenFailure> open_hid_device(const std::string& path);

}  // namespace vantro::hid
