// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "platform/output_file.h"
#include "platform/utf8.h"

namespace vantro::platform {

int open_output(const std::string& name, OutputMode mode) {
    const int how = mode == OutputMode::Append ? O_APPEND : O_TRUNC;
    // Windows has no FIFOs to wait on; binary keeps one LF a line.
    return ::_wopen(utf16_from_utf8(name).c_str(),
                    how | _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

}  // namespace vantro::platform
