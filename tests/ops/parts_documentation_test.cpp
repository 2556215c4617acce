// SPDX-License-Identifier: MIT
// The README and the man pages list the parts table's parts, no more, each with
// its memories, in the document's language.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "ops/parts.h"
#include "tests/support/read_all.h"

namespace vantro::ops {
namespace {

struct Document {
    const char* path;
    const char* flash_only;   // %F: the FLASH size
    const char* with_eeprom;  // %F and %E: the EEPROM size
};

std::string filled(std::string text, const Part& part) {
    for (const auto& [mark, bytes] :
         {std::pair{"%F", part.flash_size}, std::pair{"%E", part.eeprom_size}}) {
        if (const auto at = text.find(mark); at != std::string::npos) {
            text.replace(at, 2, size_text(bytes));
        }
    }
    return std::string(part.name) + " (" + text + ")";
}

TEST(Parts, DocumentationListsEveryPartOfTheTable) {
    const auto top =
        std::filesystem::path(VANTRO_TEST_DATA).parent_path().parent_path().parent_path();
    const Document documents[] = {
        {"README.md", "%F FLASH", "%F FLASH, %E EEPROM"},
        {"packaging/linux/vantro-cli.1.in", "%F FLASH", "%F FLASH, %E EEPROM"},
        {"packaging/linux/vantro-cli.pt_BR.1.in", "FLASH de %F", "FLASH de %F, EEPROM de %E"},
    };
    std::set<std::string> names;
    for (const Part& part : known_parts()) {
        names.emplace(part.name);
    }
    for (const Document& document : documents) {
        SCOPED_TRACE(document.path);
        std::string text = testing::read_all(top / document.path);
        ASSERT_FALSE(text.empty());
        // The man pages' unbreakable spaces, and line ends, read as spaces.
        text = std::regex_replace(text, std::regex(R"((\\ |\s)+)"), " ");
        for (const Part& part : known_parts()) {
            const std::string entry =
                filled(part.eeprom_size > 0 ? document.with_eeprom : document.flash_only, part);
            EXPECT_NE(text.find(entry), std::string::npos) << entry;
        }
        // Every part named anywhere is one of the table's.
        static const std::regex part_name(R"(AT89\w+)");
        for (auto found = std::sregex_iterator(text.begin(), text.end(), part_name);
             found != std::sregex_iterator(); ++found) {
            EXPECT_TRUE(names.count(found->str())) << found->str();
        }
    }
}

}  // namespace
}  // namespace vantro::ops
