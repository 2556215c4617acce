// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/durable_file.h"
#include "platform/utf8.h"

namespace vantro::platform {

int open_read_write(const std::string& name, bool truncate) {
    return ::open(name.c_str(), (truncate ? O_TRUNC : 0) | O_RDWR | O_CREAT | O_CLOEXEC, 0666);
}

bool flush_to_disk(int fd) {
    return ::fsync(fd) == 0;
}

bool rename_durably(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    // The rename itself is on the disk once its folder is.
    const std::string folder = utf8_from_path(path_from_utf8(to).parent_path());
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

FileLock::FileLock(const std::string& name) {
    fd_ = open_read_write(name, false);
    if (fd_ < 0) {
        reason_ = std::strerror(errno);
        return;
    }
    int result = 0;
    while ((result = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
    }
    locked_ = result == 0;
    if (!locked_) {
        reason_ = std::strerror(errno);
    }
}

FileLock::~FileLock() {
    // Closing the file releases the lock.
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

}  // namespace vantro::platform
