// SPDX-License-Identifier: MIT
#include "ops/outcome.h"

#include "i18n/texts.h"

namespace vantro::ops {

std::string outcome_text(Outcome outcome) {
    switch (outcome) {
        case Outcome::Success:
            return tr("sucesso");
        case Outcome::NotChosen:
            return tr("sem arquivo");
        case Outcome::FileRefused:
            return tr("arquivo recusado");
        case Outcome::Refused:
            return tr("recusado");
        case Outcome::Mismatch:
            return tr("difere");
        case Outcome::Removed:
            return tr("desconectado");
        case Outcome::TimedOut:
            return tr("sem resposta");
        case Outcome::WrongAnswer:
            return tr("resposta errada");
        case Outcome::WriteFailed:
            return tr("falha de escrita");
        case Outcome::NotFound:
            return tr("não encontrado");
        case Outcome::Cancelled:
            return tr("interrompido");
        case Outcome::Busy:
            return tr("ocupado");
        case Outcome::OutputFailed:
            break;
    }
    return tr("saída falhou");
}

}  // namespace vantro::ops
