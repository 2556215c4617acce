// SPDX-License-Identifier: MIT
#pragma once
// The one step before a FLASH or EEPROM run's first report, whoever starts it (a
// window, the CLI's runs and `check`, a production job): the HEX file is loaded
// and checked, the run's data reports are packed, and the run is judged (the
// chip's part, then the rehearsal), all before a programmer hears of it.
//
// What a caller may rely on:
// - prepare() never touches a programmer, and leaves the file as it found it;
// - a PreparedImage never changes once made, so any number of runs, on any
//   threads, may share one; its `packed` reports are what every run sends, byte
//   for byte, and exactly what the rehearsal replayed;
// - `refusal` is set whenever the run must not start (the file's own refusal
//   included), and is the one message to show for it;
// - a caller holding an image already loaded (changed in memory, say) prepares
//   it through the LoadedImage overload, and gets the same judgement.

#include <memory>
#include <optional>
#include <string>

#include "hex/carrega_hex.h"
#include "hex/line_table.h"
#include "hex/monta_pacote.h"
#include "ops/packed_run.h"
#include "ops/parts.h"
#include "ops/rehearsal.h"

namespace vantro::ops {

// A HEX file read and checked: the records a run packs from and the image it must
// leave on the chip, as they stand.
struct LoadedImage {
    hex::LoadResult load;
    hex::LineTable table;  // as loaded: packing pads entries, so it works on a copy
};

struct PrepareSettings {
    hex::Memory mode = hex::Memory::Flash;
    std::optional<Part> part;       // the chip, when known: an image that does not fit is refused
    firmware::FirmwareModel model;  // the programmer's firmware, which the rehearsal runs
    hex::Packer packer = hex::monta_pacote;  // tests inject a faulty one
};

struct PreparedImage : LoadedImage {
    hex::Memory mode = hex::Memory::Flash;
    firmware::FirmwareModel model;  // the one it was judged on
    // Packed whenever the file loaded, even when the run is refused.
    std::optional<PackedRun> packed;
    // Why the run must not start: the file's refusal, the part's or the rehearsal's.
    std::optional<std::string> refusal;

    bool chosen() const { return load.status != hex::LoadStatus::NotChosen; }
    // Loaded, packed and judged fit to send.
    bool ready() const { return load.status == hex::LoadStatus::Loaded && !refusal; }
};

// Reads and checks the file at `path`; an empty path is a file not chosen.
LoadedImage load_image(const std::string& path);

std::shared_ptr<const PreparedImage> prepare(const std::string& path,
                                             const PrepareSettings& settings);
std::shared_ptr<const PreparedImage> prepare(LoadedImage loaded, const PrepareSettings& settings);

}  // namespace vantro::ops
