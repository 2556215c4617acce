// SPDX-License-Identifier: MIT
// HexFileSource's system side on POSIX.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "hex/hex_file_source.h"

namespace vantro::hex {

std::string HexFileSource::describe_error(unsigned long error) {
    switch (error) {
        case ENOENT:
            return refusal_text(Refusal::Missing);
        case EACCES:
        case EPERM:
            return refusal_text(Refusal::NoPermission);
        case EISDIR:
            return refusal_text(Refusal::Folder);
        case EFBIG:
            return refusal_text(Refusal::TooLarge);
        default:
            return std::strerror(static_cast<int>(error));
    }
}

HexFileSource::NativeHandle HexFileSource::open_native(const std::string& path,
                                                       std::string& reason) {
    // Why the file cannot be used, after a stat() or fstat() call gave `result`
    // and `status`; empty when it can.
    const auto refusal_after = [](int result, const struct stat& status) -> std::string {
        if (result != 0) {
            return describe_error(static_cast<unsigned long>(errno));
        }
        if (S_ISDIR(status.st_mode)) {
            return refusal_text(Refusal::Folder);
        }
        if (!S_ISREG(status.st_mode)) {
            return refusal_text(Refusal::NotRegular);
        }
        if (static_cast<std::uint64_t>(status.st_size) > kMaxHexFileSize) {
            return refusal_text(Refusal::TooLarge);
        }
        return {};
    };
    // Checked before opening, so no device or FIFO is ever opened; checked again on
    // the open file in case the name was replaced in between.
    struct stat status {};
    reason = refusal_after(::stat(path.c_str(), &status), status);
    if (!reason.empty()) {
        return kNoHandle;
    }
    // O_NONBLOCK: should a FIFO take the file's place, opening it must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        reason = describe_error(static_cast<unsigned long>(errno));
        return kNoHandle;
    }
    reason = refusal_after(::fstat(fd, &status), status);
    if (!reason.empty()) {
        ::close(fd);
        return kNoHandle;
    }
    return fd;
}

std::ptrdiff_t HexFileSource::read_native(NativeHandle handle, char* buffer, std::size_t size,
                                          std::string& reason) {
    ssize_t count = 0;
    do {
        count = ::read(static_cast<int>(handle), buffer, size);
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        reason = describe_error(static_cast<unsigned long>(errno));
        return -1;
    }
    return count;
}

void HexFileSource::close_native(NativeHandle handle) {
    ::close(static_cast<int>(handle));
}

}  // namespace vantro::hex
