// SPDX-License-Identifier: MIT
// The presence code both windows use (the session's handlers on the hidapi
// library), run for a while in the VM: each change of the connection label is
// printed as it happens, so the guest can watch a programmer come and go.
//   vantro_presence_probe SECONDS

#include <chrono>
#include <cstdio>
#include <string>

#include "connection/backend.h"
#include "hid/event_queue.h"
#include "ops/attached_session.h"
#include "ops/headless_display.h"

namespace {

class PrintingDisplay : public vantro::ops::HeadlessDisplay {
public:
    void set_status(std::string_view) override {}
    void set_connection_text(std::string_view text) override {
        std::printf("presence: %.*s\n", static_cast<int>(text.size()), text.data());
        std::fflush(stdout);
    }
    void show_message(std::string_view, std::string_view, vantro::ops::MessageIcon) override {}
};

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::stoi(argv[1]) : 10;
    vantro::connection::ConnectionOptions options;
    const auto backend = vantro::connection::make_backend(options);
    PrintingDisplay display;
    vantro::hid::EventQueue queue;
    vantro::ops::AttachedSession wired(backend->library(), queue, display);
    if (!wired.attach()) {
        std::puts("presence: attach failed");
        return 1;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        queue.process_pending_events(end);
    }
    wired.detach();
    return 0;
}
