// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vantro::platform {

// A file path as a message may show it: paths are bytes, and every byte that is
// not part of valid UTF-8, and every control character, is shown as \xNN, so the
// message stays printable UTF-8.
std::string printable_path(const std::string& path);

}  // namespace vantro::platform
