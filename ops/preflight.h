// SPDX-License-Identifier: MIT
#pragma once
// What must hold before a FLASH or EEPROM run sends its first report, whoever
// starts it: the image fits the chosen part, and the rehearsal writes exactly it.

#include <optional>
#include <string>

#include "hex/hex_image.h"
#include "ops/packed_run.h"
#include "ops/parts.h"

namespace vantro::ops {

// The message for the user when the run must not start; nothing when it may.
std::optional<std::string> refusal_before_run(const PackedRun& run, const hex::HexImage& image,
                                              const std::optional<Part>& part);

}  // namespace vantro::ops
