// SPDX-License-Identifier: MIT
#include "connection/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#endif

namespace vantro::cli {

namespace {

#ifdef _WIN32
bool is_open(int fd) {
    return ::_get_osfhandle(fd) != -1;
}
constexpr const char* kNullDevice = "NUL";
#else
bool is_open(int fd) {
    return ::fcntl(fd, F_GETFD) != -1;
}
constexpr const char* kNullDevice = "/dev/null";
#endif

}  // namespace

void ensure_standard_streams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (!is_open(fd)) {
            // open() takes the lowest free number: this one, as the lower ones are open.
            const int opened = ::open(kNullDevice, fd == 0 ? O_RDONLY : O_WRONLY);
            if (opened != fd && opened != -1) {
                ::close(opened);
            }
        }
    }
}

}  // namespace vantro::cli
