// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vantro::platform {

// This computer's name as the system gives it (UTF-8); "" when it gives none.
std::string computer_name();

}  // namespace vantro::platform
