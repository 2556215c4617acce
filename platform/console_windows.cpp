// SPDX-License-Identifier: MIT
#include <io.h>
#include <windows.h>

#include "platform/console.h"
#include "platform/utf8.h"

namespace vantro::platform {

namespace {

// The console behind the stream, or null when the stream goes to a file or a pipe.
HANDLE console_of(std::FILE* stream) {
    const intptr_t handle = _get_osfhandle(_fileno(stream));
    DWORD mode = 0;
    if (handle == -1 || !GetConsoleMode(reinterpret_cast<HANDLE>(handle), &mode)) {
        return nullptr;
    }
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

void write_text(std::FILE* stream, std::string_view text) {
    const HANDLE console = console_of(stream);
    if (console == nullptr) {
        std::fwrite(text.data(), 1, text.size(), stream);
        return;
    }
    // What the stream still buffers must come first.
    std::fflush(stream);
    const std::wstring wide = utf16_from_utf8(text);
    DWORD written = 0;
    WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

bool is_terminal(std::FILE* stream) {
    return console_of(stream) != nullptr;
}

std::size_t terminal_columns(std::FILE* stream) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    const HANDLE console = console_of(stream);
    if (console == nullptr || !GetConsoleScreenBufferInfo(console, &info)) {
        return 0;
    }
    return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
}

bool enable_escape_codes(std::FILE* stream) {
    const HANDLE console = console_of(stream);
    DWORD mode = 0;
    return console != nullptr && GetConsoleMode(console, &mode) &&
           SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

std::string_view end_of_input_key() {
    return "Ctrl-Z";
}

void discard_typed_input() {
    if (const HANDLE input = console_of(stdin)) {
        FlushConsoleInputBuffer(input);
    }
}

}  // namespace vantro::platform
