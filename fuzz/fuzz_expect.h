// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>

namespace vantro::fuzz {

// A broken promise found by a fuzzer: abort, so libFuzzer keeps the input.
inline void expect(bool holds) {
    if (!holds) {
        std::abort();
    }
}

}  // namespace vantro::fuzz
