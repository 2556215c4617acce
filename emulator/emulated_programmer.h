// SPDX-License-Identifier: MIT
#pragma once
// The emulated programmer: the firmware model, struck by the configured faults.
// No threads and no timing: it turns one output report into its reaction.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "emulator/emulator_settings.h"
#include "firmware/firmware.h"
#include "protocol/report.h"

namespace vantro::emulator {

struct Reaction {
    std::vector<protocol::Report> answers;  // input reports, in order: id 0, command, status
    bool unplugged = false;                 // the programmer is removed before answering
    std::chrono::milliseconds delay{0};     // how much later than the latency they come
};

class EmulatedProgrammer {
public:
    explicit EmulatedProgrammer(EmulatorSettings settings = {});

    // One output report (65 bytes, report id first) arrives: counted, struck by
    // the configured faults, carried out and answered.
    Reaction receive(std::span<const std::uint8_t, protocol::kReportSize> report);

    const std::vector<std::uint8_t>& flash() const { return firmware_.flash(); }
    const std::vector<std::uint8_t>& eeprom() const { return firmware_.eeprom(); }
    std::optional<std::uint8_t> lock_bits() const { return firmware_.lock_bits(); }
    std::uint64_t reports_received() const { return received_; }
    bool programming() const { return firmware_.programming(); }
    const EmulatorSettings& settings() const { return settings_; }

    // Plugged in again: a begin left open is forgotten; the chip keeps its memories.
    void restart() { firmware_.restart(); }

    // Writes the memory as a raw binary file; false on failure.
    bool save_flash(const std::filesystem::path& path) const;
    bool save_eeprom(const std::filesystem::path& path) const;

private:
    EmulatorSettings settings_;
    firmware::Firmware firmware_;
    std::uint64_t received_ = 0;
};

}  // namespace vantro::emulator
