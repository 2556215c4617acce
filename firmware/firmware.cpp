// SPDX-License-Identifier: MIT
#include "firmware/firmware.h"

#include <algorithm>

namespace vantro::firmware {
namespace {

using protocol::kReportSize;
using protocol::kSlotCount;
using protocol::kSlotDataBytes;

constexpr std::uint8_t kFlashMarker = 0x00;
constexpr std::uint8_t kBlank = 0xFF;

// Calls write(cell, byte) for each byte of each slot whose marker is accepted, with
// the memory cell the byte goes to; 0xFF bytes are left out when skip_blank is set,
// bytes outside memory are lost. The protocol carries no byte count: all 16 data
// bytes of an accepted slot are the firmware's to take.
template <typename MarkerTest, typename Write>
void for_each_slot_byte(std::span<const std::uint8_t, kReportSize> report,
                        std::vector<std::uint8_t>& memory, bool wrap, bool skip_blank,
                        MarkerTest accepts, Write write) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        const std::size_t base = protocol::slot_start(slot);
        if (!accepts(slot, report[base])) {
            continue;
        }
        const std::uint32_t address =
            static_cast<std::uint32_t>(report[base + 1]) << 8 | report[base + 2];
        const auto data = report.subspan(base + 3, kSlotDataBytes);
        if (!skip_blank && address + kSlotDataBytes <= memory.size()) {
            for (std::size_t n = 0; n < kSlotDataBytes; ++n) {  // the usual slot, in one stride
                write(memory[address + n], data[n]);
            }
            continue;
        }
        for (std::size_t n = 0; n < kSlotDataBytes; ++n) {
            // A 16-bit address register wraps; without it, addresses run past the chip.
            const std::uint32_t target = address + static_cast<std::uint32_t>(n);
            const std::uint32_t cell = wrap ? target & 0xFFFF : target;
            if (!(skip_blank && data[n] == kBlank) && cell < memory.size()) {
                write(memory[cell], data[n]);
            }
        }
    }
}

}  // namespace

Firmware::Firmware(FirmwareModel model)
    : model_(model),
      flash_(model.flash_size, kBlank),
      eeprom_(model.eeprom_size, model.eeprom_fill) {}

std::optional<std::uint8_t> Firmware::carry_out(std::span<const std::uint8_t, kReportSize> report) {
    const std::uint8_t command = report[1];
    switch (command) {
        case protocol::kCmdErase:
            std::ranges::fill(flash_, kBlank);
            std::ranges::fill(eeprom_, kBlank);
            lock_bits_.reset();
            return command;
        case protocol::kCmdBegin:
            programming_ = true;
            return command;
        case protocol::kCmdEnd:
            programming_ = false;
            return command;
        case protocol::kCmdFlashData:
        case protocol::kCmdEepromData:
            if (!programming_) {
                return protocol::kRefused;
            }
            if (command == protocol::kCmdFlashData) {
                write_flash(report);
            } else {
                write_eeprom(report);
            }
            return command;
        case protocol::kCmdLockBits:
            lock_bits_ = report[2];
            return protocol::kLockSuccess;
        default:
            return std::nullopt;
    }
}

void Firmware::write_flash(std::span<const std::uint8_t, kReportSize> report) {
    // NOR flash: only an erase sets bits, so a 0xFF byte leaves the cell as it is.
    for_each_slot_byte(
        report, flash_, model_.wrap, false,
        [](std::size_t, std::uint8_t marker) { return marker == kFlashMarker; },
        [](std::uint8_t& cell, std::uint8_t byte) { cell &= byte; });
}

void Firmware::write_eeprom(std::span<const std::uint8_t, kReportSize> report) {
    for_each_slot_byte(
        report, eeprom_, model_.wrap, !model_.eeprom_ff_write,
        [](std::size_t slot, std::uint8_t marker) { return marker == slot + 1; },
        [](std::uint8_t& cell, std::uint8_t byte) { cell = byte; });
}

}  // namespace vantro::firmware
