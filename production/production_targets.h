// SPDX-License-Identifier: MIT
#pragma once

#include <vector>

#include "connection/connection_options.h"
#include "production/chip_run.h"

namespace vantro::production {

// Several programmers at once (each --device, or --all), not one.
inline bool several_programmers(const connection::ConnectionOptions& options, bool all) {
    return all || options.device_paths.size() > 1;
}

// The programmers a command runs on: each --device, or with `all` every one
// present (none when there is none); otherwise the one a plain run uses, named
// from the listing when `named` (a log needs the names).
std::vector<Target> production_targets(const connection::ConnectionOptions& options, bool all,
                                       bool named);

}  // namespace vantro::production
