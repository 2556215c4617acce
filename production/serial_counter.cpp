// SPDX-License-Identifier: MIT
#include "production/serial_counter.h"

#include <charconv>

#include "i18n/texts.h"
#include "platform/durable_file.h"

namespace vantro::production {

CounterRead SerialCounter::peek() const {
    std::string reason;
    const auto text = platform::read_small_file(path_, reason);
    if (!text) {
        if (!reason.empty()) {
            return {std::nullopt,
                    tr_args("Não foi possível ler o contador \"%1\": %2", {path_, reason})};
        }
        return {first_, {}};
    }
    std::string_view digits = *text;
    while (!digits.empty() && (digits.back() == '\n' || digits.back() == '\r')) {
        digits.remove_suffix(1);
    }
    std::uint64_t next = 0;
    const char* const end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, next);
    if (digits.empty() || error != std::errc() || stop != end) {
        return {std::nullopt,
                tr_args("O contador \"%1\" não contém um número: \"%2\"", {path_, *text})};
    }
    return {next, {}};
}

CounterRead SerialCounter::take() {
    const platform::FileLock lock(path_ + ".lock");
    if (!lock.locked()) {
        return {std::nullopt,
                tr_args("Não foi possível travar o contador \"%1\": %2", {path_, lock.reason()})};
    }
    CounterRead read = peek();
    if (!read.next) {
        return read;
    }
    if (const auto reason =
            platform::replace_durably(path_, std::to_string(*read.next + step_) + "\n")) {
        return {std::nullopt,
                tr_args("Não foi possível gravar o contador \"%1\": %2", {path_, *reason})};
    }
    return read;
}

}  // namespace vantro::production
