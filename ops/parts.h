// SPDX-License-Identifier: MIT
#pragma once
// The 8051 parts the programmer is known to take, with their memory sizes.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "hex/hex_image.h"
#include "hex/monta_pacote.h"

namespace vantro::ops {

struct Part {
    std::string_view name;
    std::uint32_t flash_size;
    std::uint32_t eeprom_size;  // 0: no EEPROM
};

std::span<const Part> known_parts();
// The part of this name, in any case; nothing when no part has it.
std::optional<Part> find_part(std::string_view name);
// "8 KiB": every part's memories are whole KiB.
std::string size_text(std::uint32_t bytes);

// The refusal of a run, given why the part cannot take it.
std::string part_refusal(std::string_view problem);

// The refusal of a run of this mode on a part without that memory (an EEPROM run
// on a chip without EEPROM), known before any file is chosen; nothing otherwise.
std::optional<std::string> missing_memory(const std::optional<Part>& part, hex::Memory mode);

// Why the image cannot go into the part's memory that mode writes: that memory
// is missing or the image runs past its end. Nothing when it fits.
std::optional<std::string> fit_problem(const Part& part, hex::Memory mode,
                                       const hex::HexImage& image);

}  // namespace vantro::ops
