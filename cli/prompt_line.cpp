// SPDX-License-Identifier: MIT
#include "cli/prompt_line.h"

#include <cstdio>
#include <iostream>

#include "platform/console.h"

namespace vantro::cli {

std::optional<std::string> prompt_line(std::string_view question) {
    platform::write_text(stderr, question);
    std::fflush(stderr);
    std::string answer;
    const bool answered = static_cast<bool>(std::getline(std::cin, answer));
    // A terminal echoed the user's Enter; from a pipe the next line starts here.
    if (!answered || !platform::is_terminal(stdin)) {
        std::fputc('\n', stderr);
    }
    if (!answered) {
        return std::nullopt;
    }
    answer.erase(answer.find_last_not_of(" \t\r") + 1);
    answer.erase(0, answer.find_first_not_of(" \t"));
    return answer;
}

}  // namespace vantro::cli
