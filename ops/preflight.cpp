// SPDX-License-Identifier: MIT
#include "ops/preflight.h"

#include "i18n/texts.h"
#include "ops/rehearsal.h"

namespace vantro::ops {

std::optional<std::string> refusal_before_run(const PackedRun& run, const hex::HexImage& image,
                                              const std::optional<Part>& part) {
    if (part) {
        if (const auto problem = fit_problem(*part, run.mode(), image)) {
            return tr_args("Gravação recusada: %1. Nada foi enviado ao gravador.", {*problem});
        }
    }
    if (const auto difference = rehearse(run, image)) {
        return rehearsal_refusal(*difference, image);
    }
    return std::nullopt;
}

}  // namespace vantro::ops
