// SPDX-License-Identifier: MIT
#include <fcntl.h>

#include "platform/output_file.h"

namespace vantro::platform {

int open_output(const std::string& name, OutputMode mode) {
    const int how = mode == OutputMode::Append ? O_APPEND : O_TRUNC;
    return ::open(name.c_str(), how | O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
}

}  // namespace vantro::platform
