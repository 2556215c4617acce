// SPDX-License-Identifier: MIT
#pragma once
// What several programmers running at once show on stderr: on a terminal, one
// live line each (programmer, percent, status); otherwise one line each as it ends.

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "ops/headless_display.h"

namespace vantro::cli {

class ProgrammerBoard {
public:
    // live: redraw the lines in place (stderr is a terminal and not --quiet).
    // quiet: without live lines, only the failures' end lines are printed.
    ProgrammerBoard(std::FILE* out, bool live, bool quiet);

    // A new round with one line per programmer name.
    void start(std::vector<std::string> names);
    // Thread-safe: programmer i's progress (0..100) and status text.
    void update(std::size_t i, int percent, std::string_view status);
    // Thread-safe: programmer i has ended; text says how.
    void ended(std::size_t i, std::string_view text, bool failed);
    // After every programmer ended: the live lines may be cut to the terminal's
    // width, so each failure is said once more in full below them.
    void finish();

private:
    struct Line {
        std::string name;
        int percent = 0;
        std::string status;
        bool failed = false;
    };
    void draw_locked();
    std::string text_locked(const Line& line) const;

    std::FILE* out_;
    bool live_;
    bool quiet_;
    std::mutex mutex_;
    std::vector<Line> lines_;
    std::size_t name_width_ = 0;
};

// One programmer's face of the operations on the board. Used from that
// programmer's own thread only.
class ProgrammerLine : public ops::HeadlessDisplay {
public:
    ProgrammerLine(ProgrammerBoard& board, std::size_t index) : board_(board), index_(index) {}

    void set_status(std::string_view text) override;
    void set_progress_value(float value) override;
    void show_message(std::string_view text, std::string_view title,
                      ops::MessageIcon icon) override;

    const std::string& last_message() const { return last_message_; }
    const std::string& status() const { return status_; }

private:
    void redraw();

    ProgrammerBoard& board_;
    std::size_t index_;
    std::string status_;
    std::string last_message_;
    int shown_percent_ = -1;
};

}  // namespace vantro::cli
