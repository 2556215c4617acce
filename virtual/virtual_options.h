// SPDX-License-Identifier: MIT
#pragma once
// vantro-virtual-programmer's command line, in the run's language.

#include <optional>

#include "virtual/virtual_programmer.h"

namespace vantro::virtual_programmer {

struct ParsedSetup {
    std::optional<VirtualSetup> setup;  // nothing: stop with exit_code
    int exit_code = 0;
};

// Parses the command line; prints --help, --version and errors itself.
ParsedSetup parse_virtual_options(int argc, char** argv);

}  // namespace vantro::virtual_programmer
