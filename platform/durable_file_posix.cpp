// SPDX-License-Identifier: MIT
#include <unistd.h>

#include "platform/durable_file.h"

namespace vantro::platform {

bool flush_to_disk(int fd) {
    return ::fsync(fd) == 0;
}

}  // namespace vantro::platform
