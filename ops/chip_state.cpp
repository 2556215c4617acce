// SPDX-License-Identifier: MIT
#include "ops/chip_state.h"

#include "i18n/texts.h"

namespace vantro::ops {

std::string chip_state_text(Operation operation) {
    switch (operation) {
        case Operation::Erase:
            return tr("O apagamento pode não ter terminado: apague de novo.");
        case Operation::Flash:
            return tr("A FLASH fica parcialmente gravada: apague o chip e grave de novo.");
        case Operation::Eeprom:
            // The EEPROM is written without an erase; erasing would take the FLASH too.
            return tr(
                "A EEPROM fica parcialmente gravada: grave a EEPROM de novo (apagar o chip "
                "apagaria também a FLASH).");
        case Operation::Lock:
            return tr("Não se sabe se os lock bits foram gravados: só um apagamento os limpa.");
    }
    return {};
}

std::optional<std::string> chip_state_after(Operation operation, Outcome outcome, bool sent) {
    if (outcome == Outcome::Success || !sent) {
        return std::nullopt;
    }
    return chip_state_text(operation);
}

std::string interrupted_text(Operation operation, bool sent) {
    return sent ? tr_args("Interrompido. %1", {chip_state_text(operation)}) : tr("Interrompido.");
}

}  // namespace vantro::ops
