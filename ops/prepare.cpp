// SPDX-License-Identifier: MIT
#include "ops/prepare.h"

#include "i18n/texts.h"

namespace vantro::ops {
namespace {

// The message for the user when the packed run must not start; nothing when it may.
std::optional<std::string> refusal_before_run(const PackedRun& run, const hex::HexImage& image,
                                              const PrepareSettings& settings) {
    if (settings.part) {
        if (const auto problem = fit_problem(*settings.part, run.mode(), image)) {
            return part_refusal(*problem);
        }
    }
    // The end record's slot (marker, address 0000, 16 x 0xFF) would be written too.
    if (run.mode() == hex::Memory::Eeprom && settings.model.eeprom_ff_write) {
        return tr(
            "Gravação recusada: este gravador grava também os bytes 0xFF na EEPROM "
            "(eeprom-ff=write), e o slot do registro final, que o protocolo exige (marcador, "
            "endereço 0000, 16 × 0xFF), sobrescreveria 0x0000–0x000F. Nada foi enviado ao "
            "gravador.");
    }
    if (const auto difference = rehearse(run, image, settings.model)) {
        return rehearsal_refusal(*difference, image);
    }
    return std::nullopt;
}

}  // namespace

LoadedImage load_image(const std::string& path) {
    LoadedImage loaded;
    loaded.load = hex::carrega_hex(loaded.table, path);
    return loaded;
}

std::shared_ptr<const PreparedImage> prepare(const std::string& path,
                                             const PrepareSettings& settings) {
    return prepare(load_image(path), settings);
}

std::shared_ptr<const PreparedImage> prepare(LoadedImage loaded, const PrepareSettings& settings) {
    auto prepared = std::make_shared<PreparedImage>();
    static_cast<LoadedImage&>(*prepared) = std::move(loaded);
    prepared->mode = settings.mode;
    prepared->model = settings.model;
    switch (prepared->load.status) {
        case hex::LoadStatus::NotChosen:
            break;
        case hex::LoadStatus::Refused:
            prepared->refusal = prepared->load.message;
            break;
        case hex::LoadStatus::Loaded: {
            hex::LineTable padded = prepared->table;
            prepared->packed = PackedRun::pack(settings.mode, padded, settings.packer);
            prepared->refusal =
                refusal_before_run(*prepared->packed, prepared->load.image, settings);
            break;
        }
    }
    return prepared;
}

}  // namespace vantro::ops
