// SPDX-License-Identifier: MIT
#include "ops/prepared_image.h"

namespace vantro::ops {

std::shared_ptr<const PreparedImage> prepare_image(hex::FileChooser& chooser) {
    auto prepared = std::make_shared<PreparedImage>();
    prepared->load = hex::carrega_hex(prepared->table, chooser);
    return prepared;
}

}  // namespace vantro::ops
