// SPDX-License-Identifier: MIT
#pragma once
// The virtual programmer: a uhid device answering every output report as the
// emulated programmer does (the firmware model, the faults, the latency).

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "emulator/emulated_programmer.h"
#include "virtual/uhid_device.h"

namespace vantro::virtual_programmer {

struct VirtualSetup {
    emulator::EmulatorSettings settings;
    std::string serial = "VIRT-0001";
    std::optional<std::filesystem::path> dump_flash;
    std::optional<std::filesystem::path> dump_eeprom;
    // After an unplug, the device is created again this much later; never without it.
    std::optional<std::chrono::milliseconds> replug_after;
};

// The product string the kernel's device carries.
inline constexpr const char* kVirtualProduct = "Vantro 8051 Programmer (virtual)";

class VirtualProgrammer {
public:
    // say: a line for the user, already in the run's language.
    VirtualProgrammer(VirtualSetup setup, UhidDevice device,
                      std::function<void(const std::string&)> say);

    // Creates the device and serves it until stop_fd is readable (a signal came).
    // The exit code: 0, 1 when a memory file could not be written, 3 when the
    // kernel refused the device.
    int run(int stop_fd);

private:
    using Clock = std::chrono::steady_clock;
    struct DueAnswer {
        Clock::time_point due;
        protocol::Report report;
    };

    bool create();
    // One event from the kernel; false when /dev/uhid failed.
    bool handle_kernel_event();
    void receive(const uhid_event& output);
    void send_due_answers();
    // The poll time-out: until the next answer or replug is due, or -1.
    int wait_ms() const;
    void save_memories();

    VirtualSetup setup_;
    UhidDevice device_;
    std::function<void(const std::string&)> say_;
    emulator::EmulatedProgrammer programmer_;
    std::deque<DueAnswer> due_answers_;  // in due order
    std::optional<Clock::time_point> replug_at_;
    bool save_failed_ = false;
};

}  // namespace vantro::virtual_programmer
