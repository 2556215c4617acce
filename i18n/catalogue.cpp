// SPDX-License-Identifier: MIT
#include "i18n/catalogue.h"

#include <algorithm>
#include <array>
#include <string>

#include "i18n/texts.h"

namespace vantro::i18n {
namespace {

struct Translation {
    std::string_view portuguese;
    std::string_view english;
};

// Generated at build time from vantro_en.ts, the catalogue translators edit.
constexpr Translation kEnglish[] = {
#include "vantro_en_texts.inc"
};

}  // namespace

std::optional<std::string_view> english_text(std::string_view portuguese) {
    const auto* found =
        std::find_if(std::begin(kEnglish), std::end(kEnglish),
                     [&](const Translation& t) { return t.portuguese == portuguese; });
    if (found == std::end(kEnglish)) {
        return std::nullopt;
    }
    return found->english;
}

bool use_language(std::string_view lang) {
    if (lang != "en") {
        set_catalogue({});
        return false;
    }
    set_catalogue([](std::string_view portuguese) {
        return std::string(english_text(portuguese).value_or(portuguese));
    });
    return true;
}

}  // namespace vantro::i18n
