// SPDX-License-Identifier: MIT
// Operations one after another on one session, as a window keeps it, with a
// pause between them in which no event is handled (the session handles events
// only inside its waits). Prints how each ended and its last message, so the VM test can
// compare the in-process emulator with the kernel's path.
//   vantro_session_probe [CONNECTION OPTIONS] [--pause-ms MS] OPERATION...
//   OPERATION: erase, lock (LB1), flash:FILE or eeprom:FILE

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "connection/backend.h"
#include "connection/connection_options.h"
#include "hid/event_queue.h"
#include "ops/attached_session.h"
#include "ops/headless_display.h"
#include "ops/outcome.h"

namespace {

using vantro::ops::Outcome;

class LastMessageDisplay : public vantro::ops::HeadlessDisplay {
public:
    void set_status(std::string_view) override {}
    void show_message(std::string_view text, std::string_view, vantro::ops::MessageIcon) override {
        last_message = text;
    }
    std::string last_message;
};

Outcome run(vantro::ops::ProgrammerSession& session, const std::string& operation) {
    const auto file = [&operation] { return operation.substr(operation.find(':') + 1); };
    if (operation == "erase") {
        return session.Command4_Click();
    }
    if (operation == "lock") {
        return session.Command2_Click(vantro::ops::LockBits{true, false, false});
    }
    if (operation.starts_with("flash:")) {
        return session.Command6_Click(file());
    }
    if (operation.starts_with("eeprom:")) {
        return session.Command1_Click(file());
    }
    return Outcome::NotChosen;
}

}  // namespace

int main(int argc, char** argv) {
    vantro::connection::ConnectionOptions options;
    vantro::connection::ConnectionOptionParser parser(options);
    CLI::App app("vantro_session_probe");
    parser.add_to(app);
    int pause_ms = 0;
    std::vector<std::string> operations;
    app.add_option("--pause-ms", pause_ms);
    app.add_option("operations", operations)->required();
    CLI11_PARSE(app, argc, argv);
    if (const auto error = parser.finish()) {
        std::printf("session: %s\n", error->c_str());
        return 2;
    }
    const auto backend = vantro::connection::make_backend(options);
    LastMessageDisplay display;
    vantro::hid::EventQueue queue;
    vantro::ops::AttachedSession wired(backend->library(), queue, display);
    if (!wired.attach()) {
        std::puts("session: attach failed");
        return 1;
    }
    wired.pump();
    wired.session().set_timeout(options.timeout);
    for (std::size_t k = 0; k < operations.size(); ++k) {
        if (k > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pause_ms));
        }
        display.last_message.clear();
        const Outcome outcome = run(wired.session(), operations[k]);
        std::printf("session: %s: %s: %s\n", operations[k].c_str(),
                    vantro::ops::outcome_word(outcome), display.last_message.c_str());
        std::fflush(stdout);
    }
    wired.detach();
    return 0;
}
