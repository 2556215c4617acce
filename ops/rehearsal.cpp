// SPDX-License-Identifier: MIT
#include "ops/rehearsal.h"

#include "firmware/firmware.h"
#include "i18n/texts.h"

namespace vantro::ops {
std::optional<RehearsalDifference> rehearse(const PackedRun& run, const hex::HexImage& image,
                                            const RehearsalModel& model) {
    const bool flash = run.mode() == hex::PackMode::Flash;
    firmware::Firmware programmer({.flash_size = flash ? hex::kCodeSpace : 0,
                                   .eeprom_size = flash ? 0 : hex::kCodeSpace,
                                   .wrap = model.wrap});
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
    const auto address = image.first_difference(memory);
    if (!address) {
        return std::nullopt;
    }
    return RehearsalDifference{*address, memory[*address]};
}

std::string rehearsal_refusal(const RehearsalDifference& difference, const hex::HexImage& image) {
    const std::string address = hex::address_text(difference.address);
    const std::string chip = hex::byte_text(difference.chip_value);
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
