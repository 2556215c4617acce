// SPDX-License-Identifier: MIT
#include "ops/parts.h"

#include <algorithm>
#include <array>

#include "i18n/texts.h"

namespace vantro::ops {
namespace {

constexpr std::uint32_t kKiB = 1024;

constexpr std::array kParts{
    Part{"AT89S51", 4 * kKiB, 0},           Part{"AT89S52", 8 * kKiB, 0},
    Part{"AT89S53", 12 * kKiB, 0},          Part{"AT89S8252", 8 * kKiB, 2 * kKiB},
    Part{"AT89S8253", 12 * kKiB, 2 * kKiB},
};

bool same_name(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return upper(x) == upper(y); });
}

}  // namespace

std::span<const Part> known_parts() {
    return kParts;
}

std::optional<Part> find_part(std::string_view name) {
    for (const Part& part : kParts) {
        if (same_name(part.name, name)) {
            return part;
        }
    }
    return std::nullopt;
}

std::string size_text(std::uint32_t bytes) {
    return std::to_string(bytes / kKiB) + " KiB";
}

std::string part_refusal(std::string_view problem) {
    return tr_args("Gravação recusada: %1. Nada foi enviado ao gravador.", {problem});
}

std::optional<std::string> missing_memory(const std::optional<Part>& part, hex::Memory mode) {
    if (!part || mode != hex::Memory::Eeprom || part->eeprom_size != 0) {
        return std::nullopt;
    }
    return part_refusal(tr_args("o %1 não tem EEPROM", {part->name}));
}

std::optional<std::string> fit_problem(const Part& part, hex::Memory mode,
                                       const hex::HexImage& image) {
    const bool flash = mode == hex::Memory::Flash;
    const std::uint32_t size = flash ? part.flash_size : part.eeprom_size;
    if (size == 0) {
        return tr_args("o %1 não tem EEPROM", {part.name});
    }
    const auto highest = image.highest_address();
    if (!highest || *highest < size) {
        return std::nullopt;
    }
    std::uint32_t first_outside = size;
    while (!image.has(first_outside)) {
        ++first_outside;
    }
    return tr_args(
        "a imagem passa do fim da %1 de %2 do %3 (endereço %4)",
        {flash ? "FLASH" : "EEPROM", size_text(size), part.name, hex::address_text(first_outside)});
}

}  // namespace vantro::ops
