// SPDX-License-Identifier: MIT
#include <io.h>
#include <windows.h>

#include <atomic>
#include <csignal>

#include "platform/interrupting_signals.h"
#include "platform/utf8.h"

namespace vantro::platform {
namespace {

std::atomic<void (*)(int)> taker{nullptr};

// Windows runs this on a thread of its own for Ctrl+C, Ctrl+Break and the console
// closing, as the signal thread runs on POSIX.
BOOL WINAPI on_console_event(DWORD event) {
    taker.load()(event == CTRL_C_EVENT ? SIGINT : SIGTERM);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        // Windows ends the process as soon as this returns: the stopping run could
        // not write its log line. The program ends itself once the run has stopped
        // (Windows allows some seconds for it).
        sleep_forever();
    }
    return TRUE;
}

}  // namespace

void watch_interrupting_signals(void (*take)(int signal_number)) {
    taker = take;
    SetConsoleCtrlHandler(on_console_event, TRUE);
}

void say_at_once(std::string_view text) {
    // A console shows only UTF-16 rightly; the stream's buffer is left alone, as
    // the program's own threads may be using it.
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (error != INVALID_HANDLE_VALUE && error != nullptr && GetConsoleMode(error, &mode)) {
        const std::wstring wide = utf16_from_utf8(text);
        DWORD written = 0;
        WriteConsoleW(error, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const int n = ::_write(2, text.data() + done, static_cast<unsigned>(text.size() - done));
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

void sleep_forever() {
    for (;;) {
        Sleep(INFINITE);
    }
}

}  // namespace vantro::platform
