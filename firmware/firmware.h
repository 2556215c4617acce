// SPDX-License-Identifier: MIT
#pragma once
// The firmware's side of the protocol: what each command does to the chip's
// FLASH, EEPROM and lock bits. No faults, no answers, no timing.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "firmware/firmware_model.h"
#include "protocol/report.h"

namespace vantro::firmware {

class Firmware {
public:
    explicit Firmware(FirmwareModel model = {});

    // Carries the report's command out: the status the firmware answers, nothing
    // for an unknown command.
    std::optional<std::uint8_t> carry_out(
        std::span<const std::uint8_t, protocol::kReportSize> report);

    const std::vector<std::uint8_t>& flash() const { return flash_; }
    const std::vector<std::uint8_t>& eeprom() const { return eeprom_; }
    std::optional<std::uint8_t> lock_bits() const { return lock_bits_; }
    bool programming() const { return programming_; }
    const FirmwareModel& model() const { return model_; }

    // Powered up again: a begin left open is forgotten; the chip keeps its memories.
    void restart() { programming_ = false; }

private:
    void write_flash(std::span<const std::uint8_t, protocol::kReportSize> report);
    void write_eeprom(std::span<const std::uint8_t, protocol::kReportSize> report);

    FirmwareModel model_;
    std::vector<std::uint8_t> flash_;
    std::vector<std::uint8_t> eeprom_;
    std::optional<std::uint8_t> lock_bits_;
    bool programming_ = false;  // between begin and end
};

}  // namespace vantro::firmware
