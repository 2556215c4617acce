// SPDX-License-Identifier: MIT
#include "production/serial_counter.h"

#include <charconv>

#include "i18n/system_error.h"
#include "i18n/texts.h"
#include "platform/durable_file.h"
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

CounterRead SerialCounter::peek() const {
    platform::InputFailure failure;
    const auto text = platform::read_input_file(path(), kMaxCounterSize, failure);
    if (!text) {
        if (failure.problem == platform::InputProblem::Missing) {
            return {serial_.first, {}};
        }
        return {std::nullopt,
                tr_args("Não foi possível ler o contador \"%1\": %2",
                        {path(), input_failure_text(failure, tr("grande demais para um "
                                                                "contador"))})};
    }
    const auto next = counter_number(*text);
    if (!next) {
        return {std::nullopt,
                tr_args("O contador \"%1\" não contém um número: \"%2\"", {path(), *text})};
    }
    return {next, {}};
}

CounterRead SerialCounter::take() {
    const platform::FileLock lock(path() + ".lock");
    if (!lock.locked()) {
        return {std::nullopt,
                tr_args("Não foi possível travar o contador \"%1\": %2", {path(), lock.reason()})};
    }
    CounterRead read = peek();
    if (!read.next) {
        return read;
    }
    if (numbers_left(serial_.format, *read.next, serial_.step) == 0) {
        // Taken, it would go to a chip that cannot hold it: the job stops instead.
        return {std::nullopt, serials_ran_out_text(serial_.format, *read.next)};
    }
    if (const auto reason =
            platform::replace_durably(path(), std::to_string(*read.next + serial_.step) + "\n")) {
        return {std::nullopt,
                tr_args("Não foi possível gravar o contador \"%1\": %2", {path(), *reason})};
    }
    return read;
}

}  // namespace vantro::production
