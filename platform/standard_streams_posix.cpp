// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <unistd.h>

#include "platform/standard_streams.h"

namespace vantro::platform {

void ensure_standard_streams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1) {
            // open() takes the lowest free number: this one, as the lower ones are open.
            const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            if (opened != fd && opened != -1) {
                ::close(opened);
            }
        }
    }
}

}  // namespace vantro::platform
