// SPDX-License-Identifier: MIT
// The English catalogue holds every text the program passes to tr(), with its
// placeholders. The folders are found in the tree, so a new one is never missed.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "form/form_table.h"
#include "i18n/catalogue.h"
#include "tests/support/read_all.h"

namespace vantro {
namespace {

namespace fs = std::filesystem;

// The folders of the program's sources: every top-level folder but the tests, the
// benchmarks, the fuzzers and build trees, which show the user no text.
std::vector<fs::path> source_folders() {
    std::vector<fs::path> folders;
    for (const auto& entry : fs::directory_iterator(VANTRO_SOURCE_DIR)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory() && !name.starts_with(".") && name != "tests" && name != "bench" &&
            name != "fuzz" && !fs::exists(entry.path() / "CMakeCache.txt")) {
            folders.push_back(entry.path());
        }
    }
    return folders;
}

// The string literal at `at` (adjacent ones joined, \", \n and \\ undone), and where
// it ends; nothing when no literal starts there.
std::optional<std::string> literal_at(const std::string& source, std::size_t& at) {
    std::optional<std::string> text;
    for (at = source.find_first_not_of(" \t\r\n", at); at < source.size() && source[at] == '"';
         at = source.find_first_not_of(" \t\r\n", at)) {
        text = text.value_or("");
        for (++at; at < source.size() && source[at] != '"'; ++at) {
            if (source[at] == '\\' && at + 1 < source.size()) {
                ++at;
                *text += source[at] == 'n' ? '\n' : source[at];
            } else {
                *text += source[at];
            }
        }
        ++at;
    }
    return text;
}

// The first argument of every tr(, tr_args(, qtr( and wtr( call that is a literal.
std::set<std::string> texts_passed_to_tr(const fs::path& file) {
    static const std::regex call(R"((^|[^\w.])(?:[qw]?tr|tr_args)\()");
    const std::string source = testing::read_all(file);
    std::set<std::string> texts;
    for (auto found = std::sregex_iterator(source.begin(), source.end(), call);
         found != std::sregex_iterator(); ++found) {
        std::size_t at = static_cast<std::size_t>(found->position() + found->length());
        if (auto text = literal_at(source, at)) {
            texts.insert(std::move(*text));
        }
    }
    return texts;
}

std::set<std::string> every_text() {
    std::set<std::string> texts;
    for (const fs::path& folder : source_folders()) {
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            const auto extension = entry.path().extension();
            if (extension == ".cpp" || extension == ".h") {
                texts.merge(texts_passed_to_tr(entry.path()));
            }
        }
    }
    // The form's captions, shown through tr() by both windows; the web address is no text.
    texts.insert(std::string(form::main_form().caption));
    for (const auto& control : form::main_form().controls) {
        if (!control.caption.empty() && control.caption != form::kMakerAddress) {
            texts.insert(std::string(control.caption));
        }
    }
    return texts;
}

TEST(Translation, EveryTextPassedToTrHasAnEnglishEntryWithItsPlaceholders) {
    std::set<std::string> folders;
    for (const fs::path& folder : source_folders()) {
        folders.insert(folder.filename().string());
    }
    for (const char* folder : {"cli", "production", "i18n", "platform", "form"}) {
        EXPECT_TRUE(folders.count(folder)) << folder;  // the scan finds the tree's folders
    }
    const std::set<std::string> texts = every_text();
    ASSERT_GT(texts.size(), 200u);
    static const std::regex placeholder("%[1-9]");
    for (const std::string& portuguese : texts) {
        const auto english = i18n::english_text(portuguese);
        ASSERT_TRUE(english.has_value()) << "no English for: " << portuguese;
        for (auto found = std::sregex_iterator(portuguese.begin(), portuguese.end(), placeholder);
             found != std::sregex_iterator(); ++found) {
            EXPECT_NE(english->find(found->str()), std::string_view::npos) << portuguese;
        }
    }
}

}  // namespace
}  // namespace vantro
