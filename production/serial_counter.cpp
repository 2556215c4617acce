// SPDX-License-Identifier: MIT
#include "production/serial_counter.h"

#include <charconv>

#include "i18n/system_error.h"
#include "i18n/texts.h"
#include "platform/input_file.h"

namespace vantro::production {

namespace {

// A counter holds a number and a line end; anything longer is not a counter.
constexpr std::uint64_t kMaxCounterSize = 64;

}  // namespace

std::optional<std::uint64_t> counter_number(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    std::uint64_t number = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return number;
}

CounterRead read_counter(const std::string& path) {
    platform::InputFailure failure;
    const auto text = platform::read_input_file(path, kMaxCounterSize, failure);
    if (!text) {
        if (failure.problem == platform::InputProblem::Missing) {
            return {};
        }
        return {std::nullopt,
                tr_args("Não foi possível ler o contador \"%1\": %2",
                        {path, input_failure_text(failure, tr("grande demais para um "
                                                              "contador"))})};
    }
    const auto next = counter_number(*text);
    if (!next) {
        return {std::nullopt,
                tr_args("O contador \"%1\" não contém um número: \"%2\"", {path, *text})};
    }
    return {next, {}};
}

}  // namespace vantro::production
