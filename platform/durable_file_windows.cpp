// SPDX-License-Identifier: MIT
#include <io.h>

#include "platform/durable_file.h"

namespace vantro::platform {

bool flush_to_disk(int fd) {
    return ::_commit(fd) == 0;
}

}  // namespace vantro::platform
