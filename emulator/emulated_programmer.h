// SPDX-License-Identifier: MIT
#pragma once
// The device model: a programmer with a target chip (FLASH, EEPROM, lock bits).
// No threads and no timing: it turns one output report into its reaction.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "emulator/emulator_settings.h"
#include "protocol/report.h"

namespace vantro::emulator {

struct Reaction {
    std::vector<protocol::Report> answers;  // input reports, in order: id 0, command, status
    bool unplugged = false;                 // the programmer is removed before answering
};

class EmulatedProgrammer {
public:
    explicit EmulatedProgrammer(EmulatorSettings settings = {});

    // One output report (65 bytes, report id first) arrives: counted, struck by
    // the configured faults, carried out and answered.
    Reaction receive(std::span<const std::uint8_t, protocol::kReportSize> report);

    const std::vector<std::uint8_t>& flash() const { return flash_; }
    const std::vector<std::uint8_t>& eeprom() const { return eeprom_; }
    std::optional<std::uint8_t> lock_bits() const { return lock_bits_; }
    std::uint64_t reports_received() const { return received_; }
    bool programming() const { return programming_; }
    const EmulatorSettings& settings() const { return settings_; }

    // Plugged in again: a begin left open is forgotten; the chip keeps its memories.
    void restart() { programming_ = false; }

    // Writes the memory as a raw binary file; false on failure.
    bool save_flash(const std::filesystem::path& path) const;
    bool save_eeprom(const std::filesystem::path& path) const;

    // Carries the report's command out as the firmware does, without a fault, an
    // answer or a count: the status it would answer, nothing for an unknown command.
    std::optional<std::uint8_t> carry_out(
        std::span<const std::uint8_t, protocol::kReportSize> report);

private:
    void write_flash(std::span<const std::uint8_t, protocol::kReportSize> report);
    void write_eeprom(std::span<const std::uint8_t, protocol::kReportSize> report);

    EmulatorSettings settings_;
    std::vector<std::uint8_t> flash_;
    std::vector<std::uint8_t> eeprom_;
    std::optional<std::uint8_t> lock_bits_;
    std::uint64_t received_ = 0;
    bool programming_ = false;  // between begin and end
};

}  // namespace vantro::emulator
