// SPDX-License-Identifier: MIT
#include "hex/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantro::hex {
namespace {

std::vector<std::string> fields_of(std::string_view text) {
    std::vector<std::string> fields;
    read_fields(text, [&fields](std::string_view field) { fields.emplace_back(field); });
    return fields;
}

struct FieldCase {
    const char* name;
    std::string_view text;
    std::vector<std::string> fields;
};

// Names the case in test listings.
void PrintTo(const FieldCase& c, std::ostream* out) {
    *out << c.name;
}

class HexFieldReader : public testing::TestWithParam<FieldCase> {};

TEST_P(HexFieldReader, SplitsTheTextIntoFields) {
    EXPECT_EQ(fields_of(GetParam().text), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, HexFieldReader,
    testing::Values(FieldCase{"Empty", "", {}},
                    FieldCase{"LastLineWithoutLineEnd", ":00000001FF", {":00000001FF"}},
                    FieldCase{"UnixLines", "AAA\nBBB\n", {"AAA", "BBB"}},
                    FieldCase{"WindowsLines", "AAA\r\nBBB\r\n", {"AAA", "BBB"}},
                    FieldCase{"OldMacLines", "AAA\rBBB\r", {"AAA", "BBB"}},
                    FieldCase{"MixedLineEnds", "A\nB\r\nC\rD", {"A", "B", "C", "D"}},
                    FieldCase{"LfCrIsTwoLineEnds", "A\n\rB", {"A", "", "B"}},
                    FieldCase{"BlankLine", "A\n\nB\n", {"A", "", "B"}},
                    FieldCase{"CommaSplits", "AAA,BBB\n", {"AAA", "BBB"}},
                    FieldCase{"EmptyFieldsBetweenCommas", "A,,B\n", {"A", "", "B"}},
                    FieldCase{"QuotedLosesQuotes", "\"ABCD\"\n", {"ABCD"}},
                    FieldCase{"QuotedKeepsCommas", "\"AB,CD\",EF\n", {"AB,CD", "EF"}},
                    FieldCase{"TextAfterClosingQuoteSkipped", "\"AB\"xy,CD\n", {"AB", "CD"}},
                    FieldCase{"UnclosedQuoteEndsAtLineEnd", "\"AB\nCD", {"AB", "CD"}}),
    [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

struct RecordCase {
    std::string_view field;
    std::string_view record;
};

// Names the case in test listings.
void PrintTo(const RecordCase& c, std::ostream* out) {
    *out << testing::PrintToString(std::string(c.field));
}

class HexRecordOfField : public testing::TestWithParam<RecordCase> {};

TEST_P(HexRecordOfField, DropsTheLastTwoCharacters) {
    EXPECT_EQ(record_of_field(GetParam().field), GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(Fields, HexRecordOfField,
                         testing::Values(RecordCase{":00000001FF", ":00000001"},
                                         RecordCase{":03011000E4F5A073", ":03011000E4F5A0"},
                                         RecordCase{"AB", ""}, RecordCase{"A", ""},
                                         RecordCase{"", ""}, RecordCase{"ABC", "A"}));

}  // namespace
}  // namespace vantro::hex
