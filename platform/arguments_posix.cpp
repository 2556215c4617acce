// SPDX-License-Identifier: MIT
#include "platform/arguments.h"

namespace vantro::platform {

std::vector<std::string> utf8_arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

}  // namespace vantro::platform
