// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <io.h>

#include "platform/standard_streams.h"

namespace vantro::platform {

void ensure_standard_streams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::_get_osfhandle(fd) == -1) {
            // _open() takes the lowest free number: this one, as the lower ones are open.
            const int opened = ::_open("NUL", fd == 0 ? _O_RDONLY : _O_WRONLY);
            if (opened != fd && opened != -1) {
                ::_close(opened);
            }
        }
    }
}

}  // namespace vantro::platform
