// SPDX-License-Identifier: MIT
#pragma once
// The programmers attached to this host, for choosing one and for telling the user
// why one cannot be used.

#include <optional>
#include <vector>

#include "hidapi/hidapi_global.h"

namespace vantro::hid {

struct ProgrammerInfo {
    HidDeviceListing device;
    std::optional<OpenFailure> failure;  // empty when the node could be opened
    friend bool operator==(const ProgrammerInfo&, const ProgrammerInfo&) = default;
};

// Every programmer (device with these ids) present now, each opened and closed once
// to learn whether this user may use it. Safe to call at any time, also while a
// HidapiLibrary is connected.
std::vector<ProgrammerInfo> list_programmers(ProgrammerIds programmer);

}  // namespace vantro::hid
