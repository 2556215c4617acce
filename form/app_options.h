// SPDX-License-Identifier: MIT
#pragma once
// The window program's command line.

#include <optional>
#include <ostream>

#include "connection/connection_options.h"

namespace vantro::form {

inline constexpr int kExitUsage = 2;

struct AppOptions : connection::ConnectionOptions {
    bool quit_after_show = false;  // for start-up measurements
};

struct AppParseResult {
    std::optional<AppOptions> options;  // empty: exit with exit_code
    int exit_code = 0;
};

// Help and version go to out, usage errors to err (exit code 2).
AppParseResult parse_app_options(int argc, const char* const* argv, std::ostream& out,
                                 std::ostream& err);

}  // namespace vantro::form
