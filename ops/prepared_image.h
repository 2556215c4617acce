// SPDX-License-Identifier: MIT
#pragma once
// A HEX file loaded and checked once, before any programmer is told anything;
// several programmers' runs share it, read-only.

#include <memory>
#include <optional>
#include <string>

#include "hex/carrega_hex.h"
#include "hex/file_chooser.h"
#include "hex/line_table.h"
#include "ops/packed_run.h"
#include "ops/parts.h"

namespace vantro::ops {

struct PreparedImage {
    hex::LoadResult load;
    hex::LineTable table;  // as loaded: each run packs from a copy of its own
    // Set by rehearse(): the run's reports, packed and rehearsed once for every
    // programmer, and the refusal when that run must not start.
    std::optional<PackedRun> packed;
    std::optional<std::string> refusal;
};

// Chooses, reads and checks the file: the whole of what precedes a FLASH or
// EEPROM run's first report.
std::shared_ptr<PreparedImage> prepare_image(hex::FileChooser& chooser);

// Packs a loaded image's run for this memory and rehearses it, once, before the
// image is shared; false when the run must not start (the reason in `refusal`).
bool rehearse(PreparedImage& prepared, hex::PackMode mode, const std::optional<Part>& part);

}  // namespace vantro::ops
