// SPDX-License-Identifier: MIT
// What both systems share of writing an output file.
#include "platform/output_file.h"

#include <unistd.h>

#include <cerrno>

namespace vantro::platform {

bool write_all(int fd, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    std::size_t written = 0;
    while (written < size) {
        const auto count = ::write(fd, bytes + written, static_cast<unsigned>(size - written));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            if (count == 0) {
                errno = EIO;
            }
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

}  // namespace vantro::platform
