// SPDX-License-Identifier: MIT
#pragma once
// The CLI's face of the operations: status and message texts on stderr, a
// progress bar only when stderr is a terminal.

#include <cstdio>
#include <string>
#include <vector>

#include "ops/headless_display.h"

namespace vantro::cli {

class TerminalDisplay : public ops::HeadlessDisplay {
public:
    TerminalDisplay(std::FILE* out, bool quiet, bool progress_bar);

    void set_status(std::string_view text) override;
    void set_progress_value(float value) override;
    void show_message(std::string_view text, std::string_view title,
                      ops::MessageIcon icon) override;

    // Whether progress is drawn: stderr is a terminal and the run is not quiet.
    bool progress_bar() const { return progress_bar_; }
    // Prints a line of its own, clearing the progress bar first.
    void print_line(std::string_view text);
    // The last message box's text; empty when none was shown since forget_message().
    const std::string& last_message() const { return last_message_; }
    void forget_message() {
        last_message_.clear();
        held_.clear();
    }
    // Prints the messages a quiet run held back: a run that failed shows them all.
    void print_held_messages();

private:
    void clear_bar();

    std::FILE* out_;
    bool quiet_;
    bool progress_bar_;
    bool bar_shown_ = false;
    int drawn_width_ = 0;
    std::string last_message_;
    std::vector<std::string> held_;
};

}  // namespace vantro::cli
