// SPDX-License-Identifier: MIT
#include "virtual/uhid_device.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace vantro::virtual_programmer {
namespace {

// Vendor-defined, 64 bytes each way, no report id: the programmer's own descriptor.
constexpr std::array<std::uint8_t, 28> kReportDescriptor{
    0x06, 0x00, 0xFF,  // Usage Page (Vendor Defined 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x40,        //   Report Count (64)
    0x09, 0x01,        //   Usage (1)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x95, 0x40,        //   Report Count (64)
    0x09, 0x01,        //   Usage (1)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0xC0,              // End Collection
};

// Copies text into a fixed field, always ending it with a zero byte.
template <std::size_t N>
void put_text(std::uint8_t (&field)[N], const std::string& text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = 0;
}

}  // namespace

std::optional<UhidDevice> UhidDevice::open() {
    const int fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    return UhidDevice(fd);
}

UhidDevice::UhidDevice(UhidDevice&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), created_(std::exchange(other.created_, false)) {}

UhidDevice::~UhidDevice() {
    if (fd_ >= 0) {
        destroy();
        ::close(fd_);
    }
}

bool UhidDevice::send(const uhid_event& event) {
    // uhid takes one whole event per write, or nothing.
    ssize_t written = 0;
    do {
        written = ::write(fd_, &event, sizeof event);
    } while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(sizeof event);
}

bool UhidDevice::create(const DeviceIdentity& identity) {
    uhid_event event{};
    event.type = UHID_CREATE2;
    auto& request = event.u.create2;
    put_text(request.name, identity.product);
    put_text(request.phys, "vantro-virtual-programmer");
    put_text(request.uniq, identity.serial);
    request.rd_size = kReportDescriptor.size();
    std::copy(kReportDescriptor.begin(), kReportDescriptor.end(), request.rd_data);
    request.bus = BUS_USB;
    request.vendor = identity.vendor_id;
    request.product = identity.product_id;
    request.version = 0x0100;
    created_ = send(event);
    return created_;
}

void UhidDevice::destroy() {
    if (!created_) {
        return;
    }
    uhid_event event{};
    event.type = UHID_DESTROY;
    send(event);
    created_ = false;
}

bool UhidDevice::send_input(std::span<const std::uint8_t> report) {
    uhid_event event{};
    event.type = UHID_INPUT2;
    event.u.input2.size =
        static_cast<std::uint16_t>(std::min(report.size(), sizeof event.u.input2.data));
    std::copy_n(report.begin(), event.u.input2.size, event.u.input2.data);
    return send(event);
}

bool UhidDevice::refuse_request(const uhid_event& request) {
    uhid_event event{};
    if (request.type == UHID_GET_REPORT) {
        event.type = UHID_GET_REPORT_REPLY;
        event.u.get_report_reply.id = request.u.get_report.id;
        event.u.get_report_reply.err = EIO;
    } else {
        event.type = UHID_SET_REPORT_REPLY;
        event.u.set_report_reply.id = request.u.set_report.id;
        event.u.set_report_reply.err = EIO;
    }
    return send(event);
}

std::optional<uhid_event> UhidDevice::read_event() {
    uhid_event event{};
    ssize_t length = 0;
    do {
        length = ::read(fd_, &event, sizeof event);
    } while (length < 0 && errno == EINTR);
    if (length <= 0) {
        return std::nullopt;
    }
    return event;
}

}  // namespace vantro::virtual_programmer
