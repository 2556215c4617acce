// SPDX-License-Identifier: MIT
#pragma once
// A session wired as the front-ends wire it (library → event queue → bridge →
// session), on a display that shows nothing, so a run costs what the core costs.

#include <chrono>
#include <string>
#include <utility>

#include "hex/carrega_hex.h"
#include "hid/event_queue.h"
#include "ops/attached_session.h"
#include "ops/headless_display.h"

namespace vantro::bench {

class SilentDisplay : public ops::HeadlessDisplay {
public:
    void set_status(std::string_view) override {}
    void show_message(std::string_view, std::string_view, ops::MessageIcon) override {}
};

struct TimedRun {
    ops::Outcome outcome = ops::Outcome::Busy;
    double seconds = 0;
    int exchanges = 0;  // erase, begin, the data reports and end
};

template <class Library>
class WiredSession {
public:
    template <class... LibraryArgs>
    explicit WiredSession(std::string hex_path, LibraryArgs&&... library_args)
        : library_(std::forward<LibraryArgs>(library_args)...), hex_path_(std::move(hex_path)) {
        wired_.attach();
        wired_.pump();
    }
    WiredSession(const WiredSession&) = delete;
    WiredSession& operator=(const WiredSession&) = delete;

    // One whole FLASH run (Command6_Click), file loading included.
    TimedRun flash() {
        const auto start = std::chrono::steady_clock::now();
        ops::ProgrammerSession& session = wired_.session();
        const ops::Outcome outcome = session.Command6_Click(hex_path_);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        return {outcome, elapsed.count(), hex::data_reports_for(session.last_load().records) + 3};
    }

    Library& library() { return library_; }

private:
    Library library_;
    std::string hex_path_;
    SilentDisplay display_;
    hid::EventQueue queue_;
    ops::AttachedSession wired_{library_, queue_, display_};
};

}  // namespace vantro::bench
