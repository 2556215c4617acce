// SPDX-License-Identifier: MIT
#pragma once
// What both windows ask before a close cuts an operation short.

#include <string>

#include "i18n/texts.h"
#include "ops/chip_state.h"
#include "ops/operation.h"

namespace vantro::form {

// Names what the running operation leaves on the chip if it is cut short.
inline std::string close_question(ops::Operation running) {
    return tr_args("Uma operação está em andamento e fechar a interrompe. %1 Fechar mesmo assim?",
                   {ops::chip_state_text(running)});
}

}  // namespace vantro::form
