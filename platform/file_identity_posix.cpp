// SPDX-License-Identifier: MIT
#include <sys/stat.h>

#include "platform/file_identity.h"

namespace vantro::platform {

std::optional<FileIdentity> file_identity(const std::string& name) {
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino};
}

}  // namespace vantro::platform
