// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::cli {

// The command a mistyped word most likely meant: the nearest by edit distance,
// when it is near enough to be a typing slip.
std::optional<std::string> nearest_command(std::string_view word,
                                           const std::vector<std::string>& commands);

}  // namespace vantro::cli
