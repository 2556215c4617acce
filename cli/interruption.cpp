// SPDX-License-Identifier: MIT
#include "cli/interruption.h"

#include <signal.h>
#include <unistd.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

#include <atomic>
#include <thread>

#include "cli/exit_codes.h"

namespace vantro::cli {

namespace {

enum Phase : int { kBeforeRun, kRunning, kStopping };

void say(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(STDERR_FILENO, text.data() + done, text.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

#ifndef _WIN32
sigset_t interrupting_signals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}
#endif

}  // namespace

// Never destroyed: the signal thread may use it while the process exits.
struct Interruption::State {
    std::atomic<int> phase{kBeforeRun};
    std::atomic<int> signal{0};
    std::stop_source stop;
    // Each slot is written once, before the pointer that lets the signal thread
    // read it is set.
    std::string texts[3] = {"Interrompido.\n", {}, {}};
    std::atomic<const std::string*> before_run{&texts[0]};
    std::atomic<const std::string*> if_aborted{&texts[0]};

    [[noreturn]] void end(const std::string& text, int number) {
        say(text);
        ::_exit(exit_code_for_signal(number));
    }

    void take(int number) {
        // Kept before the phase says so: end_run() reads it once it sees kStopping.
        int none = 0;
        signal.compare_exchange_strong(none, number);
        if (!stop_run(number)) {
            end(*if_aborted.load(), number);
        }
    }

#ifndef _WIN32
    void watch(sigset_t set) {
        for (;;) {
            int number = 0;
            if (sigwait(&set, &number) == 0) {
                take(number);
            }
        }
    }
#endif

    // False once the run is already stopping: the signal is a second one.
    bool stop_run(int number) {
        for (;;) {
            int seen = phase.load();
            if (seen == kStopping) {
                return false;
            }
            if (phase.compare_exchange_strong(seen, kStopping)) {
                if (seen == kBeforeRun) {
                    end(*before_run.load(), number);
                }
                stop.request_stop();
                return true;
            }
        }
    }
};

#ifdef _WIN32
namespace {

std::atomic<Interruption::State*> console_state{nullptr};

}  // namespace

// Windows runs this on a thread of its own for Ctrl+C, Ctrl+Break and the console
// closing, as the signal thread runs on POSIX; a closing console ends the process
// once this returns, so it never does.
BOOL WINAPI Interruption::on_console_event(DWORD event) {
    console_state.load()->take(event == CTRL_C_EVENT ? SIGINT : SIGTERM);
    return TRUE;
}

Interruption& Interruption::install() {
    static Interruption interruption;
    if (interruption.state_ == nullptr) {
        interruption.state_ = new State;
        console_state = interruption.state_;
        SetConsoleCtrlHandler(on_console_event, TRUE);
    }
    return interruption;
}
#else
Interruption& Interruption::install() {
    static Interruption interruption;
    if (interruption.state_ == nullptr) {
        ::signal(SIGPIPE, SIG_IGN);
        const sigset_t set = interrupting_signals();
        pthread_sigmask(SIG_BLOCK, &set, nullptr);
        interruption.state_ = new State;
        std::thread([state = interruption.state_, set] { state->watch(set); }).detach();
    }
    return interruption;
}
#endif

void Interruption::set_text_before_run(const std::string& text) {
    state_->texts[1] = text + "\n";
    state_->before_run = &state_->texts[1];
}

bool Interruption::begin_run(const std::string& said_if_aborted) {
    if (state_->if_aborted.load() != &state_->texts[2]) {
        state_->texts[2] = said_if_aborted + "\n";
        state_->if_aborted = &state_->texts[2];
    }
    int expected = kBeforeRun;
    return state_->phase.compare_exchange_strong(expected, kRunning);
}

std::stop_token Interruption::stop_token() const {
    return state_->stop.get_token();
}

int Interruption::end_run() {
    int expected = kRunning;
    if (state_->phase.compare_exchange_strong(expected, kBeforeRun)) {
        return 0;
    }
    return state_->signal;
}

void wait_for_the_end() {
    for (;;) {
#ifdef _WIN32
        Sleep(INFINITE);
#else
        ::pause();
#endif
    }
}

}  // namespace vantro::cli
