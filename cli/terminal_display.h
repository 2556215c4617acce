// SPDX-License-Identifier: MIT
#pragma once
// The CLI's face of the operations: status and message texts on stderr, a
// progress bar only when stderr is a terminal.

#include <cstdio>
#include <string>
#include <vector>

#include "ops/headless_display.h"

namespace vantro::cli {

struct LockBitChoice {
    bool lb1 = false;
    bool lb2 = false;
    bool lb3 = false;

    // As the window's check box lb1, lb2 or lb3 (bit 1..3) would read: 0 or 1.
    int box(int bit) const;
};

class TerminalDisplay : public ops::HeadlessDisplay {
public:
    TerminalDisplay(std::FILE* out, bool quiet, bool progress_bar);

    void set_hex_path(std::string path) { hex_path_ = std::move(path); }
    void set_lock_bits(LockBitChoice choice) { lock_bits_ = choice; }

    std::string choose_hex_file() override { return hex_path_; }
    void set_status(std::string_view text) override;
    void set_progress_value(float value) override;
    void show_message(std::string_view text, std::string_view title,
                      ops::MessageIcon icon) override;
    int lock_bit_box(int bit) const override { return lock_bits_.box(bit); }

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
    std::string hex_path_;
    std::string last_message_;
    std::vector<std::string> held_;
    LockBitChoice lock_bits_;
};

}  // namespace vantro::cli
