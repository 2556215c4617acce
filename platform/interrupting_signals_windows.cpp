// SPDX-License-Identifier: MIT
#include <io.h>
#include <windows.h>

#include <atomic>
#include <csignal>

#include "platform/interrupting_signals.h"

namespace vantro::platform {
namespace {

std::atomic<void (*)(int)> taker{nullptr};

// Windows runs this on a thread of its own for Ctrl+C, Ctrl+Break and the console
// closing, as the signal thread runs on POSIX.
BOOL WINAPI on_console_event(DWORD event) {
    taker.load()(event == CTRL_C_EVENT ? SIGINT : SIGTERM);
    return TRUE;
}

}  // namespace

void watch_interrupting_signals(void (*take)(int signal_number)) {
    taker = take;
    SetConsoleCtrlHandler(on_console_event, TRUE);
}

void say_at_once(std::string_view text) {
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
