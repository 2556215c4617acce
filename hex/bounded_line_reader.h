// SPDX-License-Identifier: MIT
#pragma once
// Reads a byte stream line by line without ever holding more than one bounded line.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vantro::hex {

class BoundedLineReader {
public:
    // Fills the buffer with up to `size` bytes: the count read, 0 at the end of the
    // stream, or -1 on a read error.
    using ReadSome = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

    enum class Next {
        Line,       // `line` holds the next line, its line end removed
        End,        // no more lines
        TooLong,    // the line is longer than max_line; the rest of it was not read
        ReadError,  // the stream failed
    };

    BoundedLineReader(ReadSome read_some, std::size_t max_line, std::size_t chunk_size = 64 * 1024);

    // CR, LF and CR LF each end a line; a last line without a line end is a line.
    Next next(std::string& line);

    // The number of the line last returned (or refused as too long), counted from 1.
    int line_number() const { return line_number_; }

private:
    bool refill();

    ReadSome read_some_;
    std::size_t max_line_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t filled_ = 0;
    bool skip_lf_ = false;  // the last line ended with CR; an LF right after it is part of it
    bool failed_ = false;
    int line_number_ = 0;
};

}  // namespace vantro::hex
