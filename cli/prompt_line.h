// SPDX-License-Identifier: MIT
#pragma once
// A question on stderr answered by a line on stdin, for the CLI's few prompts.

#include <optional>
#include <string>
#include <string_view>

namespace vantro::cli {

// Asks once; the answer without surrounding blanks. Nothing at the end of the
// input (Ctrl-D, Ctrl-Z on Windows, a closed pipe).
std::optional<std::string> prompt_line(std::string_view question);

}  // namespace vantro::cli
