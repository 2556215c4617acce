// SPDX-License-Identifier: MIT
#pragma once
// What an operation stopped part-way leaves on the chip, and what to do about it:
// said by every front-end when a run fails or is interrupted after it sent
// something, and when the user would close the window during one.

#include <optional>
#include <string>

#include "ops/operation.h"
#include "ops/outcome.h"

namespace vantro::ops {

// One sentence: "A FLASH fica parcialmente gravada: apague o chip e grave de novo."
std::string chip_state_text(Operation operation);

// For a run that ended so: the sentence above when it failed after sending a
// report; nothing when it succeeded or the chip was never touched.
std::optional<std::string> chip_state_after(Operation operation, Outcome outcome, bool sent);

// Said when a signal stopped the run: what it leaves on the chip, if it sent anything.
std::string interrupted_text(Operation operation, bool sent);

}  // namespace vantro::ops
