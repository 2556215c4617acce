// SPDX-License-Identifier: MIT
#pragma once
// Controls of the hidapi stand-in the backend tests link instead of libhidapi. It
// models hidraw over emulated programmers: each open handle has its own input queue
// that receives every report of its device; hid_read_timeout blocks up to its
// time-out and fails once the device is gone; and, like hidapi, the calls rewrite
// each handle's error text (and the global one) without a lock, so sharing a handle
// between threads shows up under ThreadSanitizer.

#include <cstdint>
#include <string>

#include "emulator/emulator_settings.h"
#include "protocol/report.h"

namespace vantro::fake_hidapi {

struct FakeDevice {
    std::string path;
    std::uint16_t vendor_id = protocol::PROG_VID;
    std::uint16_t product_id = protocol::PROG_PID;
    std::wstring serial = L"0001";
    std::wstring product = L"Gravador";
};

// A device node appears; writes to it are answered by an emulated programmer.
void plug(const FakeDevice& device, const emulator::EmulatorSettings& settings = {});
void unplug(const std::string& path);
// Later opens of the node fail with this errno (EACCES: no permission); 0 allows them.
void refuse_open(const std::string& path, int error_number);
void fail_writes(const std::string& path, bool failing);
// The device sends an input report unasked (bytes 1 to 64 of report; index 0 is the id).
void send_input(const std::string& path, const protocol::Report& report);

// Waits until a reader of the node has taken every report and is waiting for the
// next, so whatever it did with the earlier ones is done. False after 5 s.
bool wait_until_read(const std::string& path);

std::uint64_t reports_received(const std::string& path);
std::size_t open_handle_count();
int initialised_count();  // hid_init calls minus hid_exit calls
// Removes every device; the tests call it between cases.
void reset();

}  // namespace vantro::fake_hidapi
