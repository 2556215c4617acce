// SPDX-License-Identifier: MIT
#include "hex/bounded_line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace vantro::hex {
namespace {

// A stream over a text; counts the bytes handed out.
struct TextStream {
    std::string text;
    std::size_t pos = 0;

    BoundedLineReader::ReadSome reader() {
        return [this](char* buffer, std::size_t size) {
            const std::size_t count = std::min(size, text.size() - pos);
            std::memcpy(buffer, text.data() + pos, count);
            pos += count;
            return static_cast<std::ptrdiff_t>(count);
        };
    }
};

std::vector<std::string> lines_of(const std::string& text, std::size_t chunk) {
    TextStream stream{text};
    BoundedLineReader reader(stream.reader(), 100, chunk);
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line) == BoundedLineReader::Next::Line) {
        lines.push_back(line);
    }
    return lines;
}

struct LineCase {
    std::string text;
    std::vector<std::string> lines;
};

// Every case runs with chunks of 1, 2 and 3 bytes and a large one, so that a CR LF
// pair split between two reads is met too.
class HexLineReader : public testing::TestWithParam<std::size_t> {};

TEST_P(HexLineReader, EachLineEndEndsALine) {
    const std::vector<LineCase> cases = {
        {"", {}},
        {"A", {"A"}},
        {"A\nBC\n", {"A", "BC"}},
        {"A\r\nBC\r\n", {"A", "BC"}},
        {"A\rBC\r", {"A", "BC"}},
        {"A\r\r\nB", {"A", "", "B"}},
        {"\n\n", {"", ""}},
        {"A\n\rB\r\n\r\nC", {"A", "", "B", "", "C"}},
        {std::string("A\0B\n", 4), {std::string("A\0B", 3)}},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(lines_of(c.text, GetParam()), c.lines)
            << "text: " << testing::PrintToString(c.text);
    }
}

TEST_P(HexLineReader, CountsLines) {
    TextStream stream{"A\r\n\r\nB\rC"};
    BoundedLineReader reader(stream.reader(), 100, GetParam());
    std::string line;
    for (int expected = 1; expected <= 4; ++expected) {
        ASSERT_EQ(reader.next(line), BoundedLineReader::Next::Line);
        EXPECT_EQ(reader.line_number(), expected);
    }
    EXPECT_EQ(reader.next(line), BoundedLineReader::Next::End);
}

TEST_P(HexLineReader, RefusesALongLineWithoutReadingItAll) {
    TextStream stream{"12345\n" + std::string(1 << 20, 'A') + "\n"};
    BoundedLineReader reader(stream.reader(), 5, GetParam());
    std::string line;
    ASSERT_EQ(reader.next(line), BoundedLineReader::Next::Line);
    EXPECT_EQ(line, "12345");
    EXPECT_EQ(reader.next(line), BoundedLineReader::Next::TooLong);
    EXPECT_EQ(reader.line_number(), 2);
    EXPECT_LE(line.size(), 5u);
    EXPECT_LE(stream.pos, 6 + 5 + std::max<std::size_t>(GetParam(), 1));
}

INSTANTIATE_TEST_SUITE_P(Chunks, HexLineReader, testing::Values(1, 2, 3, 64 * 1024));

TEST(HexLineReaderFailure, AReadErrorIsReportedAndStays) {
    int calls = 0;
    BoundedLineReader reader(
        [&calls](char* buffer, std::size_t) -> std::ptrdiff_t {
            if (++calls == 1) {
                std::memcpy(buffer, "AB\nC", 4);
                return 4;
            }
            return -1;
        },
        100);
    std::string line;
    ASSERT_EQ(reader.next(line), BoundedLineReader::Next::Line);
    EXPECT_EQ(line, "AB");
    EXPECT_EQ(reader.next(line), BoundedLineReader::Next::ReadError);
    EXPECT_EQ(reader.next(line), BoundedLineReader::Next::ReadError);
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace vantro::hex
