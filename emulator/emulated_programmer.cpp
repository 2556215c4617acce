// SPDX-License-Identifier: MIT
#include "emulator/emulated_programmer.h"

#include <fstream>

namespace vantro::emulator {
namespace {

using protocol::kReportSize;

protocol::Report answer(std::uint8_t command, std::uint8_t status) {
    protocol::Report report{};
    report[1] = command;
    report[protocol::kStatusIndex] = status;
    return report;
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
    : settings_(settings), firmware_(settings.model) {}

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
        status = firmware_.carry_out(report);
        if (command == protocol::kCmdLockBits && settings_.lock) {
            status = settings_.lock;
        }
    }
    if (!status) {
        return reaction;
    }
    reaction.answers.push_back(answer(command, *status));
    if (settings_.twice == n) {
        reaction.answers.push_back(answer(command, *status));
    }
    if (settings_.late == n) {
        reaction.delay = kLateBy;
    }
    return reaction;
}

bool EmulatedProgrammer::save_flash(const std::filesystem::path& path) const {
    return save(flash(), path);
}

bool EmulatedProgrammer::save_eeprom(const std::filesystem::path& path) const {
    return save(eeprom(), path);
}

}  // namespace vantro::emulator
