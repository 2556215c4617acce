// SPDX-License-Identifier: MIT
#include "platform/file_identity.h"

#include <filesystem>

#include "platform/utf8.h"

namespace vantro::platform {

namespace {

std::filesystem::path normal_absolute(const std::string& name) {
    std::error_code ignored;
    return std::filesystem::absolute(path_from_utf8(name), ignored).lexically_normal();
}

}  // namespace

bool same_file(const std::string& a, const std::string& b) {
    if (normal_absolute(a) == normal_absolute(b)) {
        return true;
    }
    const auto first = file_identity(a);
    return first && first == file_identity(b);
}

}  // namespace vantro::platform
