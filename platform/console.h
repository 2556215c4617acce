// SPDX-License-Identifier: MIT
#pragma once
// Writing UTF-8 text to the standard streams. A Windows console shows only what
// it is given in UTF-16, whatever its code page; a redirected stream gets the
// UTF-8 bytes, as on POSIX.

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace vantro::platform {

void write_text(std::FILE* stream, std::string_view text);

// True when the stream is a terminal (a console on Windows), where a progress bar makes sense.
bool is_terminal(std::FILE* stream);

// Columns of the terminal (console) on the stream; 0 when unknown.
std::size_t terminal_columns(std::FILE* stream);

}  // namespace vantro::platform
