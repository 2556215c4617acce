// SPDX-License-Identifier: MIT
#pragma once
// Every text the program shows is its Portuguese original; a front-end may
// install a catalogue (for example English) that maps originals to translations.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vantro {

using Catalogue = std::function<std::string(std::string_view portuguese)>;

// Installs the catalogue used by tr(); an empty one restores the originals.
void set_catalogue(Catalogue catalogue);

// The text in the user's language; the Portuguese original without a catalogue.
std::string tr(std::string_view portuguese);

// tr() with %1, %2, ... replaced by the arguments, in the manner of Qt's arg().
std::string tr_args(std::string_view portuguese, std::initializer_list<std::string_view> args);

// The items' names as a message lists them: "flash, eeprom, latency".
template <class Items>
std::string listed_names(const Items& items) {
    std::string names;
    for (const auto& item : items) {
        names += names.empty() ? "" : ", ";
        names += item.name;
    }
    return names;
}

}  // namespace vantro
