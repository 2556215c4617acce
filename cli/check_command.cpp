// SPDX-License-Identifier: MIT
#include <cstdio>

#include "cli/commands.h"
#include "connection/backend.h"
#include "i18n/texts.h"
#include "ops/exit_codes.h"
#include "ops/parts.h"
#include "ops/prepare.h"
#include "platform/console.h"

namespace vantro::cli {

namespace {

void print(const std::string& line) {
    platform::write_text(stdout, line + "\n");
}

// The verdict of the checks a FLASH or EEPROM run makes before it sends anything,
// and, with --part, the part's; false when that run would be refused.
bool print_verdict(const CliOptions& options, const ops::LoadedImage& loaded, hex::Memory mode,
                   TerminalDisplay& display) {
    const bool flash = mode == hex::Memory::Flash;
    const char* const memory = flash ? "FLASH" : "EEPROM";
    if (!flash && options.part && options.part->eeprom_size == 0) {
        print(tr_args("Ensaio EEPROM: nenhum, o %1 não tem EEPROM.", {options.part->name}));
        return true;
    }
    ops::PrepareSettings settings;
    settings.mode = mode;
    settings.part = options.part;
    settings.model = connection::firmware_model(options, options.device_path);
    const auto prepared = ops::prepare(loaded, settings);
    if (!prepared->refusal) {
        print(tr_args("Ensaio %1: confere com a imagem.", {memory}));
        if (options.part) {
            const std::uint32_t size = flash ? options.part->flash_size : options.part->eeprom_size;
            print(tr_args("%1: a imagem cabe na %2 de %3.",
                          {options.part->name, memory, ops::size_text(size)}));
        }
        return true;
    }
    print(tr_args("Ensaio %1: recusado.", {memory}));
    display.print_line(*prepared->refusal);
    return false;
}

// The firmware leaves 0xFF alone: such EEPROM bytes hold only over a cell already 0xFF.
void print_blank_eeprom_bytes(const hex::HexImage& image) {
    std::size_t count = 0;
    std::optional<std::uint32_t> first;
    for (std::uint32_t address = 0; address < hex::kCodeSpace; ++address) {
        if (image.has(address) && image.at(address) == 0xFF) {
            first = first.value_or(address);
            ++count;
        }
    }
    if (first) {
        print(
            tr_args("EEPROM: %1 bytes 0xFF na imagem, o primeiro em %2; o firmware deixa 0xFF "
                    "como está, então eles só conferem onde a EEPROM já tem 0xFF.",
                    {std::to_string(count), hex::address_text(*first)}));
    }
}

}  // namespace

int run_check(const CliOptions& options, TerminalDisplay& display) {
    const ops::LoadedImage loaded = ops::load_image(options.hex_file);
    const hex::LoadResult& result = loaded.load;
    if (result.status != hex::LoadStatus::Loaded) {
        display.print_line(result.message);
        return ops::kExitUsage;
    }
    const hex::HexImage& image = result.image;
    const int reports = hex::data_reports_for(result.records);
    print(tr_args("Arquivo: %1", {result.path}));
    print(tr_args("Registros: %1", {std::to_string(result.records)}));
    if (image.data_bytes() > 0) {
        print(tr_args("Endereços: %1 a %2", {hex::address_text(*image.lowest_address()),
                                             hex::address_text(*image.highest_address())}));
    } else {
        print(tr("Endereços: nenhum"));
    }
    print(tr_args("Bytes de dados: %1", {std::to_string(image.data_bytes())}));
    print(tr_args("Relatórios de dados: FLASH %1, EEPROM %2",
                  {std::to_string(reports), std::to_string(reports)}));
    print_blank_eeprom_bytes(image);
    for (const std::string& warning : hex::load_warnings(result)) {
        print(warning);
    }
    const bool flash = print_verdict(options, loaded, hex::Memory::Flash, display);
    const bool eeprom = print_verdict(options, loaded, hex::Memory::Eeprom, display);
    return flash && eeprom ? ops::kExitSuccess : ops::kExitUsage;
}

}  // namespace vantro::cli
