// SPDX-License-Identifier: MIT
#include "platform/printable_path.h"

#include <gtest/gtest.h>

namespace vantro::platform {
namespace {

struct PathCase {
    std::string path;
    std::string shown;
};

// Names the case in test listings.
void PrintTo(const PathCase& c, std::ostream* out) {
    *out << testing::PrintToString(c.shown);
}

class HexPrintablePath : public testing::TestWithParam<PathCase> {};

TEST_P(HexPrintablePath, EscapesWhatIsNotPrintableUtf8) {
    EXPECT_EQ(printable_path(GetParam().path), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HexPrintablePath,
    testing::Values(PathCase{"/tmp/a.hex", "/tmp/a.hex"},
                    PathCase{"/tmp/imagem \xC3\xA1\xE2\x82\xAC\xF0\x9F\x98\x80.hex",
                             "/tmp/imagem \xC3\xA1\xE2\x82\xAC\xF0\x9F\x98\x80.hex"},
                    PathCase{"a\xFF"
                             "b",
                             "a\\xFFb"},
                    PathCase{"\xC0\xAF", "\\xC0\\xAF"},                    // overlong '/'
                    PathCase{"\xED\xA0\x80", "\\xED\\xA0\\x80"},           // a surrogate
                    PathCase{"\xE2\x82", "\\xE2\\x82"},                    // cut short
                    PathCase{"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},  // past U+10FFFF
                    PathCase{std::string("a\0\n\x1B", 4), "a\\x00\\x0A\\x1B"}));

}  // namespace
}  // namespace vantro::platform
