// SPDX-License-Identifier: MIT
#include "cli/programmer_board.h"

#include <algorithm>

#include "platform/console.h"

namespace vantro::cli {

namespace {

constexpr int kBarWidth = 20;

// The text cut to `columns` characters (UTF-8), so that no line wraps: a wrapped
// line would throw the moves over the lines off.
std::string fitted(std::string text, std::size_t columns) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts_character = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts_character && ++characters > columns) {
            text.resize(i);
            break;
        }
    }
    return text;
}

}  // namespace

ProgrammerBoard::ProgrammerBoard(std::FILE* out, bool live, bool quiet)
    : out_(out), live_(live && !quiet), quiet_(quiet) {}

void ProgrammerBoard::start(std::vector<std::string> names) {
    std::lock_guard lock(mutex_);
    lines_.clear();
    name_width_ = 0;
    for (std::string& name : names) {
        name_width_ = std::max(name_width_, name.size());
        lines_.push_back({std::move(name), 0, {}});
    }
    if (live_) {
        // Room for the lines: each draw moves up over them and writes them again.
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            std::fputc('\n', out_);
        }
        draw_locked();
    }
}

std::string ProgrammerBoard::text_locked(const Line& line) const {
    const int filled = line.percent * kBarWidth / 100;
    std::string text = line.name;
    text.append(name_width_ - line.name.size() + 2, ' ');
    text += '[' + std::string(static_cast<std::size_t>(filled), '#') +
            std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') + "] ";
    const std::string percent = std::to_string(line.percent) + "%";
    text.append(4 - std::min<std::size_t>(4, percent.size()), ' ');
    return text + percent + "  " + line.status;
}

void ProgrammerBoard::draw_locked() {
    const std::size_t columns = platform::terminal_columns(out_);
    std::fprintf(out_, "\x1b[%zuA", lines_.size());
    for (const Line& line : lines_) {
        const std::string text = text_locked(line);
        std::fputs("\r\x1b[K", out_);
        platform::write_text(out_, (columns > 1 ? fitted(text, columns - 1) : text) + "\n");
    }
    std::fflush(out_);
}

void ProgrammerBoard::update(std::size_t i, int percent, std::string_view status) {
    if (!live_) {
        return;
    }
    std::lock_guard lock(mutex_);
    lines_[i].percent = std::clamp(percent, 0, 100);
    lines_[i].status = status;
    draw_locked();
}

void ProgrammerBoard::ended(std::size_t i, std::string_view text, bool failed) {
    std::lock_guard lock(mutex_);
    Line& line = lines_[i];
    line.status = text;
    line.failed = failed;
    if (live_) {
        draw_locked();
    } else if (!quiet_ || failed) {
        platform::write_text(out_, line.name + ": " + line.status + "\n");
        std::fflush(out_);
    }
}

void ProgrammerBoard::finish() {
    std::lock_guard lock(mutex_);
    if (!live_) {
        return;
    }
    for (const Line& line : lines_) {
        if (line.failed) {
            platform::write_text(out_, line.name + ": " + line.status + "\n");
        }
    }
    std::fflush(out_);
}

void ProgrammerLine::set_status(std::string_view text) {
    status_ = text;
    redraw();
}

void ProgrammerLine::set_progress_value(float value) {
    HeadlessDisplay::set_progress_value(value);
    const float max = progress_max();
    const float fraction = max > 0.0f ? std::clamp(value / max, 0.0f, 1.0f) : 0.0f;
    const int percent = static_cast<int>(fraction * 100.0f);
    // One redraw per whole percent, not per report.
    if (percent != shown_percent_) {
        shown_percent_ = percent;
        redraw();
    }
}

void ProgrammerLine::show_message(std::string_view text, std::string_view, ops::MessageIcon) {
    last_message_ = text;
}

void ProgrammerLine::redraw() {
    board_.update(index_, std::max(shown_percent_, 0), status_);
}

}  // namespace vantro::cli
