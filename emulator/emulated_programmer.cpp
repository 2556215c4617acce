// SPDX-License-Identifier: MIT
#include "emulator/emulated_programmer.h"

#include <algorithm>
#include <fstream>

namespace vantro::emulator {
namespace {

using protocol::kReportSize;
using protocol::kSlotCount;
using protocol::kSlotDataBytes;

constexpr std::uint8_t kFlashMarker = 0x00;
constexpr std::uint8_t kBlank = 0xFF;

protocol::Report answer(std::uint8_t command, std::uint8_t status) {
    protocol::Report report{};
    report[1] = command;
    report[protocol::kStatusIndex] = status;
    return report;
}

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

bool save(const std::vector<std::uint8_t>& memory, const std::filesystem::path& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(memory.data()),
               static_cast<std::streamsize>(memory.size()));
    file.close();
    return !file.fail();
}

}  // namespace

EmulatedProgrammer::EmulatedProgrammer(EmulatorSettings settings)
    : settings_(settings),
      flash_(settings.flash_size, kBlank),
      eeprom_(settings.eeprom_size, settings.eeprom_fill) {}

Reaction EmulatedProgrammer::receive(std::span<const std::uint8_t, kReportSize> report) {
    const std::uint64_t n = ++received_;
    const std::uint8_t command = report[1];
    Reaction reaction;
    if (settings_.unplug == n) {
        reaction.unplugged = true;
        return reaction;
    }
    if (settings_.silent && n >= *settings_.silent) {
        return reaction;  // hung: neither carries out nor answers
    }
    std::optional<std::uint8_t> status;
    if (settings_.refuse == n) {
        status = protocol::kRefused;
    } else {
        status = carry_out(report);
    }
    if (!status) {
        return reaction;
    }
    reaction.answers.push_back(answer(command, *status));
    if (settings_.twice == n) {
        reaction.answers.push_back(answer(command, *status));
    }
    return reaction;
}

// The status the command is answered with; nothing for an unknown command.
std::optional<std::uint8_t> EmulatedProgrammer::carry_out(
    std::span<const std::uint8_t, kReportSize> report) {
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
            return settings_.lock.value_or(protocol::kLockSuccess);
        default:
            return std::nullopt;
    }
}

void EmulatedProgrammer::write_flash(std::span<const std::uint8_t, kReportSize> report) {
    // NOR flash: only an erase sets bits, so a 0xFF byte leaves the cell as it is.
    for_each_slot_byte(
        report, flash_, settings_.wrap, false,
        [](std::size_t, std::uint8_t marker) { return marker == kFlashMarker; },
        [](std::uint8_t& cell, std::uint8_t byte) { cell &= byte; });
}

void EmulatedProgrammer::write_eeprom(std::span<const std::uint8_t, kReportSize> report) {
    for_each_slot_byte(
        report, eeprom_, settings_.wrap, !settings_.eeprom_ff_write,
        [](std::size_t slot, std::uint8_t marker) { return marker == slot + 1; },
        [](std::uint8_t& cell, std::uint8_t byte) { cell = byte; });
}

bool EmulatedProgrammer::save_flash(const std::filesystem::path& path) const {
    return save(flash_, path);
}

bool EmulatedProgrammer::save_eeprom(const std::filesystem::path& path) const {
    return save(eeprom_, path);
}

}  // namespace vantro::emulator
