// SPDX-License-Identifier: MIT
#include "cli/command_suggestion.h"

#include <algorithm>
#include <numeric>

namespace vantro::cli {

namespace {

// Levenshtein distance, where swapping two neighbours counts as one slip.
std::size_t edit_distance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    std::iota(d[0].begin(), d[0].end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t substitution = d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, substitution});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

}  // namespace

std::optional<std::string> nearest_name(std::string_view word,
                                        const std::vector<std::string>& names) {
    std::optional<std::string> best;
    // Two slips at most, and at most half the word: "x" is no typo of "list".
    std::size_t best_distance = std::min<std::size_t>(2, word.size() / 2);
    for (const std::string& name : names) {
        const std::size_t distance = edit_distance(word, name);
        if (distance <= best_distance && (!best || distance < best_distance)) {
            best_distance = distance;
            best = name;
        }
    }
    return best;
}

}  // namespace vantro::cli
