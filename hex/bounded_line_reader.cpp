// SPDX-License-Identifier: MIT
#include "hex/bounded_line_reader.h"

#include <algorithm>

namespace vantro::hex {

BoundedLineReader::BoundedLineReader(ReadSome read_some, std::size_t max_line,
                                     std::size_t chunk_size)
    : read_some_(std::move(read_some)), max_line_(max_line), buffer_(chunk_size) {}

bool BoundedLineReader::refill() {
    if (failed_) {
        return false;
    }
    const std::ptrdiff_t count = read_some_(buffer_.data(), buffer_.size());
    if (count < 0) {
        failed_ = true;
        return false;
    }
    pos_ = 0;
    filled_ = static_cast<std::size_t>(count);
    return count > 0;
}

BoundedLineReader::Next BoundedLineReader::next(std::string& line) {
    line.clear();
    for (;;) {
        if (pos_ == filled_ && !refill()) {
            if (failed_) {
                return Next::ReadError;
            }
            if (line.empty()) {
                return Next::End;
            }
            ++line_number_;
            return Next::Line;
        }
        if (skip_lf_) {
            skip_lf_ = false;
            if (buffer_[pos_] == '\n') {
                ++pos_;
                continue;
            }
        }
        const auto begin = buffer_.begin() + static_cast<std::ptrdiff_t>(pos_);
        const auto end = buffer_.begin() + static_cast<std::ptrdiff_t>(filled_);
        const auto line_end =
            std::find_if(begin, end, [](char c) { return c == '\r' || c == '\n'; });
        const auto length = static_cast<std::size_t>(line_end - begin);
        if (line.size() + length > max_line_) {
            ++line_number_;
            return Next::TooLong;
        }
        line.append(begin, line_end);
        pos_ += length;
        if (line_end != end) {
            skip_lf_ = *line_end == '\r';
            ++pos_;
            ++line_number_;
            return Next::Line;
        }
    }
}

}  // namespace vantro::hex
