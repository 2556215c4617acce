// SPDX-License-Identifier: MIT
#pragma once
// The run before the run: the reports a FLASH or EEPROM run will send, replayed
// into an emulated programmer in-process, must leave the checked image in its
// memory and nothing else. Nothing goes to a programmer while it runs.

#include <cstdint>
#include <optional>
#include <string>

#include "firmware/firmware_model.h"
#include "hex/hex_image.h"
#include "ops/packed_run.h"

namespace vantro::ops {

struct RehearsalDifference {
    std::uint32_t address;
    // What the chip would hold there after the run; nothing when the address lies
    // outside the chip's memory.
    std::optional<std::uint8_t> chip_value;
    std::uint32_t memory_size = 0;
};

// Sends the run's erase (FLASH only), begin, data reports and end to the firmware
// model: the programmer's, with its memory sizes and what its EEPROM holds before.
// The first address where its memory differs from the image (a byte the image
// gives held otherwise, or any other byte changed by the run); nothing when the
// run would write the image and only the image.
std::optional<RehearsalDifference> rehearse(const PackedRun& run, const hex::HexImage& image,
                                            const firmware::FirmwareModel& model);

// The user's message for a refused rehearsal: where, what the chip would hold,
// what the image gives.
std::string rehearsal_refusal(const RehearsalDifference& difference, const hex::HexImage& image);

}  // namespace vantro::ops
