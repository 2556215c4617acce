// SPDX-License-Identifier: MIT
#pragma once
// The window program's command line.

#include <optional>
#include <ostream>

#include "connection/backend.h"
#include "connection/connection_options.h"
#include "ops/exit_codes.h"
#include "ops/programmer_session.h"

namespace vantro::form {

struct AppOptions : connection::ConnectionOptions {
    bool quit_after_show = false;  // for start-up measurements
};

struct AppParseResult {
    std::optional<AppOptions> options;  // empty: exit with exit_code
    int exit_code = 0;
};

// The session takes the options' time limit, part and firmware model, and sees
// the chip's memory where the backend can show it.
void apply_to_session(const AppOptions& options, connection::Backend& backend,
                      ops::ProgrammerSession& session);

// Help and version go to out, usage errors to err (exit code 2).
AppParseResult parse_app_options(int argc, const char* const* argv, std::ostream& out,
                                 std::ostream& err);

}  // namespace vantro::form
