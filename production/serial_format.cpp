// SPDX-License-Identifier: MIT
#include "production/serial_format.h"

#include <charconv>

#include "i18n/texts.h"

namespace vantro::production {

namespace {

std::uint64_t power_of_ten(int digits) {
    std::uint64_t value = 1;
    for (int i = 0; i < digits; ++i) {
        value *= 10;
    }
    return value;
}

// The trailing N of bcdN and asciiN, within [low, high]; nothing otherwise.
std::optional<int> digit_count(std::string_view text, int low, int high) {
    int count = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, count);
    if (text.empty() || text.front() == '0' || error != std::errc() || stop != end || count < low ||
        count > high) {
        return std::nullopt;
    }
    return count;
}

}  // namespace

std::uint32_t SerialFormat::size() const {
    switch (kind) {
        case Kind::U16Le:
        case Kind::U16Be:
            return 2;
        case Kind::U32Le:
        case Kind::U32Be:
            return 4;
        case Kind::Bcd:
            return static_cast<std::uint32_t>(digits / 2);
        case Kind::Ascii:
            return static_cast<std::uint32_t>(digits);
    }
    return 0;
}

std::uint64_t SerialFormat::largest() const {
    switch (kind) {
        case Kind::U16Le:
        case Kind::U16Be:
            return 0xFFFF;
        case Kind::U32Le:
        case Kind::U32Be:
            return 0xFFFFFFFF;
        case Kind::Bcd:
        case Kind::Ascii:
            return power_of_ten(digits) - 1;
    }
    return 0;
}

std::string SerialFormat::name() const {
    switch (kind) {
        case Kind::U16Le:
            return "u16le";
        case Kind::U16Be:
            return "u16be";
        case Kind::U32Le:
            return "u32le";
        case Kind::U32Be:
            return "u32be";
        case Kind::Bcd:
            return "bcd" + std::to_string(digits);
        case Kind::Ascii:
            return "ascii" + std::to_string(digits);
    }
    return {};
}

std::string serials_ran_out_text(const SerialFormat& format, std::uint64_t next) {
    return tr_args(
        "os números de série do formato %1 acabaram: o maior é %2 e o próximo seria %3; "
        "nenhum número foi tomado",
        {format.name(), std::to_string(format.largest()), std::to_string(next)});
}

std::uint64_t numbers_left(const SerialFormat& format, std::uint64_t next, std::uint64_t step) {
    const std::uint64_t largest = format.largest();
    return next > largest ? 0 : (largest - next) / step + 1;
}

std::optional<SerialFormat> parse_serial_format(std::string_view text) {
    using Kind = SerialFormat::Kind;
    constexpr std::pair<std::string_view, Kind> kFixed[] = {{"u16le", Kind::U16Le},
                                                            {"u16be", Kind::U16Be},
                                                            {"u32le", Kind::U32Le},
                                                            {"u32be", Kind::U32Be}};
    for (const auto& [name, kind] : kFixed) {
        if (text == name) {
            return SerialFormat{kind, 0};
        }
    }
    if (text.starts_with("bcd")) {
        // Two digits a byte; 16 digits fill 64 bits' worth of decimal.
        const auto digits = digit_count(text.substr(3), 2, 16);
        if (digits && *digits % 2 == 0) {
            return SerialFormat{Kind::Bcd, *digits};
        }
    }
    if (text.starts_with("ascii")) {
        if (const auto digits = digit_count(text.substr(5), 1, 19)) {
            return SerialFormat{Kind::Ascii, *digits};
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> serial_bytes(const SerialFormat& format,
                                                      std::uint64_t number) {
    if (number > format.largest()) {
        return std::nullopt;
    }
    const std::uint32_t size = format.size();
    std::vector<std::uint8_t> bytes(size);
    using Kind = SerialFormat::Kind;
    switch (format.kind) {
        case Kind::U16Le:
        case Kind::U32Le:
            for (std::uint32_t i = 0; i < size; ++i) {
                bytes[i] = static_cast<std::uint8_t>(number >> (8 * i));
            }
            break;
        case Kind::U16Be:
        case Kind::U32Be:
            for (std::uint32_t i = 0; i < size; ++i) {
                bytes[size - 1 - i] = static_cast<std::uint8_t>(number >> (8 * i));
            }
            break;
        case Kind::Bcd:
            // Most significant digits first, as they are read.
            for (std::uint32_t i = size; i-- > 0;) {
                const auto low = static_cast<std::uint8_t>(number % 10);
                number /= 10;
                bytes[i] = static_cast<std::uint8_t>((number % 10) << 4 | low);
                number /= 10;
            }
            break;
        case Kind::Ascii:
            for (std::uint32_t i = size; i-- > 0;) {
                bytes[i] = static_cast<std::uint8_t>('0' + number % 10);
                number /= 10;
            }
            break;
    }
    return bytes;
}

}  // namespace vantro::production
