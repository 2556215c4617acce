// SPDX-License-Identifier: MIT
#pragma once
// A HEX file loaded and checked once, before any programmer is told anything;
// several programmers' runs share it, read-only.

#include <memory>

#include "hex/carrega_hex.h"
#include "hex/file_chooser.h"
#include "hex/line_table.h"

namespace vantro::ops {

struct PreparedImage {
    hex::LoadResult load;
    hex::LineTable table;  // as loaded: each run packs from a copy of its own
};

// Chooses, reads and checks the file: the whole of what precedes a FLASH or
// EEPROM run's first report.
std::shared_ptr<const PreparedImage> prepare_image(hex::FileChooser& chooser);

}  // namespace vantro::ops
