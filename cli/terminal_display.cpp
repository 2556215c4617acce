// SPDX-License-Identifier: MIT
#include "cli/terminal_display.h"

#include <algorithm>

#include "platform/console.h"

namespace vantro::cli {

namespace {

constexpr int kBarWidth = 40;
constexpr int kAroundBar = 7;  // "[", "] 100%"

// Asked at every redraw, so the bar follows the terminal's resizing and never
// wraps onto a second line.
int bar_width(std::FILE* out) {
    const std::size_t columns = platform::terminal_columns(out);
    if (columns == 0) {
        return kBarWidth;
    }
    return std::clamp(static_cast<int>(columns) - kAroundBar - 1, 0, kBarWidth);
}

}  // namespace

TerminalDisplay::TerminalDisplay(std::FILE* out, bool quiet, bool progress_bar)
    : out_(out), quiet_(quiet), progress_bar_(progress_bar && !quiet) {}

void TerminalDisplay::clear_bar() {
    if (bar_shown_) {
        std::fprintf(out_, "\r%*s\r", drawn_width_ + kAroundBar, "");
        bar_shown_ = false;
    }
}

void TerminalDisplay::print_line(std::string_view text) {
    clear_bar();
    platform::write_text(out_, std::string(text) + "\n");
    std::fflush(out_);
}

void TerminalDisplay::set_status(std::string_view text) {
    if (!quiet_) {
        print_line(text);
    }
}

void TerminalDisplay::set_progress_value(float value) {
    HeadlessDisplay::set_progress_value(value);
    const float min = progress_min();
    const float max = progress_max();
    if (!progress_bar_ || max <= min) {
        return;
    }
    const float fraction = std::clamp((value - min) / (max - min), 0.0f, 1.0f);
    const int width = bar_width(out_);
    if (width < drawn_width_) {
        clear_bar();  // narrower now: the old bar's end would stay behind
    }
    drawn_width_ = width;
    const int filled = static_cast<int>(fraction * static_cast<float>(width));
    std::fprintf(out_, "\r[%s%s] %3d%%", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(width - filled), ' ').c_str(),
                 static_cast<int>(fraction * 100.0f));
    std::fflush(out_);
    bar_shown_ = true;
}

void TerminalDisplay::show_message(std::string_view text, std::string_view, ops::MessageIcon icon) {
    last_message_ = text;
    // A quiet run holds back the boxes that merely inform, until it is known
    // whether the run failed: the refused lock bits carry that icon too.
    if (quiet_ && icon == ops::MessageIcon::Information) {
        held_.emplace_back(text);
        return;
    }
    print_line(text);
}

void TerminalDisplay::print_held_messages() {
    for (const std::string& text : held_) {
        print_line(text);
    }
    held_.clear();
}

}  // namespace vantro::cli
