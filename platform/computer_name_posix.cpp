// SPDX-License-Identifier: MIT
#include <unistd.h>

#include "platform/computer_name.h"

namespace vantro::platform {

std::string computer_name() {
    char name[256] = {};
    return ::gethostname(name, sizeof name - 1) == 0 ? name : "";
}

}  // namespace vantro::platform
