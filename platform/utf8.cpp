// SPDX-License-Identifier: MIT
#include "platform/utf8.h"

namespace vantro::platform {

std::string utf8_from_path(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

}  // namespace vantro::platform
