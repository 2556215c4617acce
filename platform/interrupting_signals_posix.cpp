// SPDX-License-Identifier: MIT
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <thread>

#include "platform/interrupting_signals.h"

namespace vantro::platform {

void watch_interrupting_signals(void (*take)(int signal_number)) {
    ::signal(SIGPIPE, SIG_IGN);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([take, set] {
        for (;;) {
            int number = 0;
            if (sigwait(&set, &number) == 0) {
                take(number);
            }
        }
    }).detach();
}

void say_at_once(std::string_view text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(STDERR_FILENO, text.data() + done, text.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

void sleep_forever() {
    for (;;) {
        ::pause();
    }
}

}  // namespace vantro::platform
