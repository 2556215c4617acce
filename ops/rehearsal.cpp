// SPDX-License-Identifier: MIT
#include "ops/rehearsal.h"

#include "firmware/firmware.h"
#include "i18n/texts.h"

namespace vantro::ops {
std::optional<RehearsalDifference> rehearse(const PackedRun& run, const hex::HexImage& image,
                                            const firmware::FirmwareModel& model) {
    const bool flash = run.mode() == hex::Memory::Flash;
    firmware::FirmwareModel chip = model;
    (flash ? chip.eeprom_size : chip.flash_size) = 0;  // the other memory plays no part
    firmware::Firmware programmer(chip);
    // An EEPROM run erases nothing: elsewhere the EEPROM must keep what it held.
    const std::vector<std::uint8_t> before =
        flash ? std::vector<std::uint8_t>{} : programmer.eeprom();
    const auto send_command = [&programmer](std::uint8_t code) {
        protocol::Report report{};
        report[1] = code;
        programmer.carry_out(report);
    };
    if (flash) {
        send_command(protocol::kCmdErase);
    }
    send_command(protocol::kCmdBegin);
    for (const protocol::Report& report : run.reports()) {
        programmer.carry_out(report);
    }
    send_command(protocol::kCmdEnd);

    const std::vector<std::uint8_t>& memory = flash ? programmer.flash() : programmer.eeprom();
    const auto address = image.first_difference(memory, before);
    if (!address) {
        return std::nullopt;
    }
    RehearsalDifference difference{*address, std::nullopt,
                                   static_cast<std::uint32_t>(memory.size())};
    if (*address < memory.size()) {
        difference.chip_value = memory[*address];
    }
    return difference;
}

std::string rehearsal_refusal(const RehearsalDifference& difference, const hex::HexImage& image) {
    const std::string address = hex::address_text(difference.address);
    if (!difference.chip_value) {
        return tr_args(
            "Ensaio da gravação: o endereço %1 fica fora da memória do chip (%2 bytes). Nada foi "
            "enviado ao gravador.",
            {address, std::to_string(difference.memory_size)});
    }
    const std::string chip = hex::byte_text(*difference.chip_value);
    if (image.has(difference.address)) {
        return tr_args(
            "Ensaio da gravação: no endereço %1 o chip ficaria com %2, mas a imagem dá %3. "
            "Nada foi enviado ao gravador.",
            {address, chip, hex::byte_text(image.at(difference.address))});
    }
    return tr_args(
        "Ensaio da gravação: no endereço %1 o chip ficaria com %2, mas a imagem não dá esse "
        "endereço. Nada foi enviado ao gravador.",
        {address, chip});
}

}  // namespace vantro::ops
