// SPDX-License-Identifier: MIT
#include "ops/prepared_image.h"

#include "ops/preflight.h"

namespace vantro::ops {

std::shared_ptr<PreparedImage> prepare_image(hex::FileChooser& chooser) {
    auto prepared = std::make_shared<PreparedImage>();
    prepared->load = hex::carrega_hex(prepared->table, chooser);
    return prepared;
}

bool rehearse(PreparedImage& prepared, hex::PackMode mode, const std::optional<Part>& part) {
    hex::LineTable padded = prepared.table;  // packing pads the entries in place
    prepared.packed = PackedRun::pack(mode, padded);
    prepared.refusal = refusal_before_run(*prepared.packed, prepared.load.image, part);
    return !prepared.refusal;
}

}  // namespace vantro::ops
