// SPDX-License-Identifier: MIT
// What both systems share of a durable file; the system calls are in
// durable_file_posix.cpp and durable_file_windows.cpp.
#include "platform/durable_file.h"
#include "platform/output_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantro::platform {

namespace {

std::string system_reason() {
    return std::strerror(errno != 0 ? errno : EIO);
}

}  // namespace

std::optional<std::string> replace_durably(const std::string& name, const std::string& text) {
    const std::string fresh = name + ".new";
    errno = 0;
    const int fd = open_read_write(fresh, true);
    if (fd < 0) {
        return system_reason();
    }
    const bool written = write_all(fd, text.data(), text.size()) && flush_to_disk(fd);
    const std::string reason = written ? std::string() : system_reason();
    ::close(fd);
    if (!written) {
        return reason;
    }
    if (!rename_durably(fresh, name)) {
        return system_reason();
    }
    return std::nullopt;
}

}  // namespace vantro::platform
