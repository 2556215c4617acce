// SPDX-License-Identifier: MIT
#pragma once
// The program's texts in another language than its Portuguese originals.

#include <optional>
#include <string_view>

namespace vantro::i18n {

// "en": installs the embedded English catalogue for vantro::tr; anything else
// restores the Portuguese originals. False when the language has no catalogue.
bool use_language(std::string_view lang);

// The English text for a Portuguese original; nothing when the catalogue has none.
std::optional<std::string_view> english_text(std::string_view portuguese);

}  // namespace vantro::i18n
