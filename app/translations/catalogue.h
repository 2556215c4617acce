#pragma once
// The program's texts in another language than its Portuguese originals.

#include <string_view>

namespace vantro::i18n {

// "en": installs the embedded English catalogue for vantro::tr; anything else
// restores the Portuguese originals. False when the language has no catalogue.
bool use_language(std::string_view lang);

}  // namespace vantro::i18n
