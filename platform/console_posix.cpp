// SPDX-License-Identifier: MIT
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/console.h"

namespace vantro::platform {

void write_text(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

bool is_terminal(std::FILE* stream) {
    return isatty(fileno(stream)) == 1;
}

std::size_t terminal_columns(std::FILE* stream) {
    winsize size{};
    return ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}

bool enable_escape_codes(std::FILE* stream) {
    return is_terminal(stream);
}

std::string_view end_of_input_key() {
    return "Ctrl-D";
}

void discard_typed_input() {
    if (isatty(STDIN_FILENO) == 1) {
        tcflush(STDIN_FILENO, TCIFLUSH);
    }
}

}  // namespace vantro::platform
