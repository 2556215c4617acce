// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstring>

#include "platform/durable_file.h"
#include "platform/utf8.h"

namespace vantro::platform {

int open_read_write(const std::string& name, bool truncate) {
    return ::_wopen(utf16_from_utf8(name).c_str(),
                    (truncate ? _O_TRUNC : 0) | _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

bool flush_to_disk(int fd) {
    return ::_commit(fd) == 0;
}

bool rename_durably(const std::string& from, const std::string& to) {
    if (MoveFileExW(utf16_from_utf8(from).c_str(), utf16_from_utf8(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    errno = EACCES;
    return false;
}

FileLock::FileLock(const std::string& name) {
    fd_ = open_read_write(name, false);
    if (fd_ < 0) {
        reason_ = std::strerror(errno);
        return;
    }
    OVERLAPPED whole{};
    locked_ = LockFileEx(reinterpret_cast<HANDLE>(::_get_osfhandle(fd_)), LOCKFILE_EXCLUSIVE_LOCK,
                         0, MAXDWORD, MAXDWORD, &whole) != 0;
    if (!locked_) {
        reason_ = "LockFileEx: " + std::to_string(GetLastError());
    }
}

FileLock::~FileLock() {
    // Closing the file releases the lock.
    if (fd_ >= 0) {
        ::_close(fd_);
    }
}

}  // namespace vantro::platform
