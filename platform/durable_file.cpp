// SPDX-License-Identifier: MIT
// What both systems share of a durable file; the system calls are in
// durable_file_posix.cpp and durable_file_windows.cpp.
#include "platform/durable_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/utf8.h"

namespace vantro::platform {

namespace {

bool write_all(int fd, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const auto n =
            ::write(fd, text.data() + written, static_cast<unsigned>(text.size() - written));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

std::string system_reason() {
    return std::strerror(errno != 0 ? errno : EIO);
}

}  // namespace

std::optional<std::string> read_small_file(const std::string& name, std::string& reason) {
    reason.clear();
    std::error_code error;
    if (!std::filesystem::exists(path_from_utf8(name), error)) {
        return std::nullopt;
    }
    std::ifstream file(path_from_utf8(name), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file) {
        reason = system_reason();
        return std::nullopt;
    }
    return text.str();
}

std::optional<std::string> replace_durably(const std::string& name, const std::string& text) {
    const std::string fresh = name + ".new";
    errno = 0;
    const int fd = open_read_write(fresh, true);
    if (fd < 0) {
        return system_reason();
    }
    const bool written = write_all(fd, text) && flush_to_disk(fd);
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
