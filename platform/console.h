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

// Turns on the terminal's escape codes (cursor up, erase the line) on the stream:
// a Windows console needs its virtual-terminal mode for them. False when the
// stream is no terminal or the console cannot have them: write plain lines then.
bool enable_escape_codes(std::FILE* stream);

// The key that ends typed input: Ctrl-D on POSIX; Ctrl-Z (then Enter) on Windows,
// whose C runtime reads it as the end of a text-mode stream.
std::string_view end_of_input_key();

// Forgets what was typed on a terminal (console) stdin and not read yet, so that
// keys pressed during a run are not taken for the answer to the next question.
// Input from a pipe or a file is kept.
void discard_typed_input();

}  // namespace vantro::platform
