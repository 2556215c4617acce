// SPDX-License-Identifier: MIT
#pragma once
// The run before the run: the reports a FLASH or EEPROM run will send, replayed
// into an emulated programmer in-process, must leave the checked image in its
// memory and nothing else. Nothing goes to a programmer while it runs.

#include <cstdint>
#include <optional>
#include <string>

#include "hex/hex_image.h"
#include "ops/packed_run.h"

namespace vantro::ops {

// The firmware model the rehearsal judges with: the emulator's, so that both
// judge a run alike.
struct RehearsalModel {
    bool wrap = true;  // slot addresses wrap at 16 bits
};

struct RehearsalDifference {
    std::uint32_t address;
    std::uint8_t chip_value;  // what the chip would hold there after the run
};

// Sends the run's erase (FLASH only), begin, data reports and end to the firmware
// model with a 64 KiB memory. The first address where its memory differs from the
// image (a byte the image gives held otherwise, or any other byte not 0xFF);
// nothing when the run would write the image and only the image.
std::optional<RehearsalDifference> rehearse(const PackedRun& run, const hex::HexImage& image,
                                            const RehearsalModel& model);

// The user's message for a refused rehearsal: where, what the chip would hold,
// what the image gives.
std::string rehearsal_refusal(const RehearsalDifference& difference, const hex::HexImage& image);

}  // namespace vantro::ops
