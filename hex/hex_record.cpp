// SPDX-License-Identifier: MIT
#include "hex/hex_record.h"

#include "i18n/texts.h"

namespace vantro::hex {
namespace {

constexpr std::size_t kOverheadBytes = 5;  // count, address high, address low, type, checksum

int digit_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

void append_byte(std::string& text, std::uint8_t value) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    text.push_back(kDigits[value >> 4]);
    text.push_back(kDigits[value & 0x0F]);
}

}  // namespace

std::string parse_record(std::string_view line, HexRecord& record) {
    if (line.empty() || line[0] != ':') {
        return tr("não é um registro HEX (não começa com ':')");
    }
    const std::string_view digits = line.substr(1);
    if (digits.size() % 2 != 0) {
        return tr("número ímpar de dígitos hexadecimais");
    }
    const std::size_t byte_count = digits.size() / 2;
    if (byte_count < kOverheadBytes) {
        return tr("registro curto demais");
    }
    if (byte_count - kOverheadBytes > record.data.size()) {
        return tr("registro longo demais");
    }
    std::array<std::uint8_t, 4> head{};
    unsigned sum = 0;
    for (std::size_t k = 0; k < byte_count; ++k) {
        const int high = digit_value(digits[2 * k]);
        const int low = digit_value(digits[2 * k + 1]);
        if (high < 0 || low < 0) {
            return tr("caractere que não é dígito hexadecimal");
        }
        const auto value = static_cast<std::uint8_t>(high * 16 + low);
        sum += value;
        if (k < head.size()) {
            head[k] = value;
        } else if (k < byte_count - 1) {
            record.data[k - head.size()] = value;
        }
    }
    record.size = byte_count - kOverheadBytes;
    if (head[0] != record.size) {
        return tr("a contagem de bytes não confere com os dados");
    }
    if (sum % 256 != 0) {
        return tr("soma de verificação incorreta");
    }
    record.address = static_cast<std::uint16_t>(head[1] << 8 | head[2]);
    record.type = head[3];
    return {};
}

std::string format_data_record(std::uint16_t address, std::span<const std::uint8_t> data) {
    const auto count = static_cast<std::uint8_t>(data.size());
    const auto high = static_cast<std::uint8_t>(address >> 8);
    const auto low = static_cast<std::uint8_t>(address & 0xFF);
    std::string text;
    text.reserve(1 + 2 * (data.size() + kOverheadBytes));
    text.push_back(':');
    unsigned sum = count + high + low;
    append_byte(text, count);
    append_byte(text, high);
    append_byte(text, low);
    append_byte(text, 0x00);
    for (const std::uint8_t value : data) {
        append_byte(text, value);
        sum += value;
    }
    append_byte(text, static_cast<std::uint8_t>(-sum & 0xFF));
    return text;
}

}  // namespace vantro::hex
