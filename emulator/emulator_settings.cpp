// SPDX-License-Identifier: MIT
#include "emulator/emulator_settings.h"

#include <array>
#include <charconv>
#include <limits>

#include "i18n/texts.h"

namespace vantro::emulator {
namespace {

constexpr std::uint64_t kUnbounded = std::numeric_limits<std::uint64_t>::max();

constexpr std::array kKeys{
    SettingKey{"flash", 1, 65536,
               [](EmulatorSettings& s, std::uint64_t v) {
                   s.model.flash_size = static_cast<std::uint32_t>(v);
               }},
    SettingKey{"eeprom", 1, 65536,
               [](EmulatorSettings& s, std::uint64_t v) {
                   s.model.eeprom_size = static_cast<std::uint32_t>(v);
               }},
    SettingKey{"latency", 0, 60000,
               [](EmulatorSettings& s, std::uint64_t v) {
                   s.latency = std::chrono::milliseconds(static_cast<std::int64_t>(v));
               }},
    SettingKey{"refuse", 1, kUnbounded, [](EmulatorSettings& s, std::uint64_t v) { s.refuse = v; }},
    SettingKey{"silent", 1, kUnbounded, [](EmulatorSettings& s, std::uint64_t v) { s.silent = v; }},
    SettingKey{"unplug", 1, kUnbounded, [](EmulatorSettings& s, std::uint64_t v) { s.unplug = v; }},
    SettingKey{"twice", 1, kUnbounded, [](EmulatorSettings& s, std::uint64_t v) { s.twice = v; }},
    SettingKey{"late", 1, kUnbounded, [](EmulatorSettings& s, std::uint64_t v) { s.late = v; }},
    SettingKey{"lock", 0, 255,
               [](EmulatorSettings& s, std::uint64_t v) { s.lock = static_cast<std::uint8_t>(v); }},
    SettingKey{"wrap",
               0,
               1,
               [](EmulatorSettings& s, std::uint64_t v) { s.model.wrap = v == 0; },
               ValueKind::Word,
               {"on", "off"}},
    SettingKey{"eeprom-ff",
               0,
               1,
               [](EmulatorSettings& s, std::uint64_t v) { s.model.eeprom_ff_write = v == 1; },
               ValueKind::Word,
               {"skip", "write"}},
    SettingKey{"eeprom-fill", 0, 255,
               [](EmulatorSettings& s, std::uint64_t v) {
                   s.model.eeprom_fill = static_cast<std::uint8_t>(v);
               },
               ValueKind::HexByte},
};

std::optional<std::uint64_t> parse_value(const SettingKey& key, std::string_view text) {
    switch (key.kind) {
        case ValueKind::Number:
            return parse_setting_number(text);
        case ValueKind::Word:
            for (std::size_t k = 0; k < key.words.size(); ++k) {
                if (text == key.words[k]) {
                    return k;
                }
            }
            return std::nullopt;
        case ValueKind::HexByte: {
            std::uint64_t value = 0;
            const char* end = text.data() + text.size();
            const auto [stop, error] = std::from_chars(text.data(), end, value, 16);
            return text.size() == 2 && error == std::errc{} && stop == end
                       ? std::optional<std::uint64_t>(value)
                       : std::nullopt;
        }
    }
    return std::nullopt;
}

std::string value_error(std::string_view item, const SettingKey& key) {
    switch (key.kind) {
        case ValueKind::Word:
            return tr_args("Configuração do emulador inválida: \"%1\" (%2: %3 ou %4)",
                           {item, key.name, key.words[0], key.words[1]});
        case ValueKind::HexByte:
            return tr_args(
                "Configuração do emulador inválida: \"%1\" (%2: dois dígitos hexadecimais)",
                {item, key.name});
        case ValueKind::Number:
            break;
    }
    return setting_range_error(item, key.name, key.min, key.max);
}

}  // namespace

std::span<const SettingKey> setting_keys() {
    return kKeys;
}

// Nothing else, not even blanks or a sign.
std::optional<std::uint64_t> parse_setting_number(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::string setting_range_error(std::string_view item, std::string_view name, std::uint64_t min,
                                std::uint64_t max) {
    if (max == kUnbounded) {
        return tr_args("Configuração do emulador inválida: \"%1\" (%2: %3 ou mais)",
                       {item, name, std::to_string(min)});
    }
    return tr_args("Configuração do emulador inválida: \"%1\" (%2: de %3 a %4)",
                   {item, name, std::to_string(min), std::to_string(max)});
}

std::optional<std::string> apply_setting(EmulatorSettings& settings, std::string_view key_value) {
    const std::size_t equals = key_value.find('=');
    const std::string_view name = key_value.substr(0, equals);
    const SettingKey* key = nullptr;
    for (const SettingKey& candidate : kKeys) {
        if (candidate.name == name) {
            key = &candidate;
        }
    }
    if (equals == std::string_view::npos || key == nullptr) {
        return tr_args("Configuração do emulador inválida: \"%1\" (chaves: %2)",
                       {key_value, listed_names(kKeys)});
    }
    const std::optional<std::uint64_t> value = parse_value(*key, key_value.substr(equals + 1));
    if (!value || *value < key->min || *value > key->max) {
        return value_error(key_value, *key);
    }
    key->store(settings, *value);
    return std::nullopt;
}

}  // namespace vantro::emulator
