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

// Calls write(address, byte) for each byte of each slot whose marker is accepted;
// addresses run past 0xFFFF rather than wrapping, so they fall outside the chip.
template <typename MarkerTest, typename Write>
void for_each_slot_byte(std::span<const std::uint8_t, kReportSize> report, MarkerTest accepts,
                        Write write) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        const std::size_t base = protocol::slot_start(slot);
        if (!accepts(slot, report[base])) {
            continue;
        }
        const std::uint32_t address =
            static_cast<std::uint32_t>(report[base + 1]) << 8 | report[base + 2];
        for (std::size_t n = 0; n < kSlotDataBytes; ++n) {
            const std::uint8_t byte = report[base + 3 + n];
            if (byte != kBlank) {
                write(address + static_cast<std::uint32_t>(n), byte);
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
      eeprom_(settings.eeprom_size, kBlank) {}

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
    for_each_slot_byte(
        report, [](std::size_t, std::uint8_t marker) { return marker == kFlashMarker; },
        [this](std::uint32_t address, std::uint8_t byte) {
            if (address < flash_.size()) {
                flash_[address] &= byte;  // NOR flash: only erase sets bits
            }
        });
}

void EmulatedProgrammer::write_eeprom(std::span<const std::uint8_t, kReportSize> report) {
    for_each_slot_byte(
        report, [](std::size_t slot, std::uint8_t marker) { return marker == slot + 1; },
        [this](std::uint32_t address, std::uint8_t byte) {
            if (address < eeprom_.size()) {
                eeprom_[address] = byte;
            }
        });
}

bool EmulatedProgrammer::save_flash(const std::filesystem::path& path) const {
    return save(flash_, path);
}

bool EmulatedProgrammer::save_eeprom(const std::filesystem::path& path) const {
    return save(eeprom_, path);
}

}  // namespace vantro::emulator
