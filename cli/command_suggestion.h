// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::cli {

// The command or option a mistyped word most likely meant: the nearest by edit distance,
// when it is near enough to be a typing slip.
std::optional<std::string> nearest_name(std::string_view word,
                                        const std::vector<std::string>& names);

}  // namespace vantro::cli
