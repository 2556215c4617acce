// SPDX-License-Identifier: MIT
#include "cli/interruption.h"

#include <atomic>
#include <cstdlib>

#include "ops/exit_codes.h"
#include "platform/interrupting_signals.h"

namespace vantro::cli {

namespace {

enum Phase : int { kBeforeRun, kRunning, kStopping };

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
        platform::say_at_once(text);
        std::_Exit(ops::exit_code_for_signal(number));
    }

    void take(int number) {
        // Kept before the phase says so: end_run() reads it once it sees kStopping.
        int none = 0;
        signal.compare_exchange_strong(none, number);
        if (!stop_run(number)) {
            end(*if_aborted.load(), number);
        }
    }

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

namespace {

// Where the signals go: set once, before the first can come.
std::atomic<Interruption::State*> taking_state{nullptr};

}  // namespace

Interruption& Interruption::install() {
    static Interruption interruption;
    if (interruption.state_ == nullptr) {
        interruption.state_ = new State;
        taking_state = interruption.state_;
        platform::watch_interrupting_signals([](int number) { taking_state.load()->take(number); });
    }
    return interruption;
}

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

int Interruption::signal() const {
    return state_->signal;
}

int Interruption::end_run() {
    int expected = kRunning;
    if (state_->phase.compare_exchange_strong(expected, kBeforeRun)) {
        return 0;
    }
    return state_->signal;
}

void wait_for_the_end() {
    platform::sleep_forever();
}

}  // namespace vantro::cli
