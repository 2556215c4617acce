// SPDX-License-Identifier: MIT
#include <cstdio>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "i18n/texts.h"
#include "ops/prepare.h"
#include "platform/console.h"

namespace vantro::cli {

namespace {

void print(const std::string& line) {
    platform::write_text(stdout, line + "\n");
}

// The verdict of the checks a FLASH or EEPROM run makes before it sends anything;
// false when that run would be refused. A part without EEPROM has no EEPROM verdict.
bool print_verdict(const CliOptions& options, const ops::LoadedImage& loaded, hex::PackMode mode,
                   TerminalDisplay& display) {
    const char* const memory = mode == hex::PackMode::Flash ? "FLASH" : "EEPROM";
    if (mode == hex::PackMode::Eeprom && options.part && options.part->eeprom_size == 0) {
        return true;
    }
    ops::PrepareSettings settings;
    settings.mode = mode;
    settings.part = options.part;
    const auto prepared = ops::prepare(loaded, settings);
    if (!prepared->refusal) {
        print(tr_args("Ensaio %1: confere com a imagem.", {memory}));
        return true;
    }
    print(tr_args("Ensaio %1: recusado.", {memory}));
    display.print_line(*prepared->refusal);
    return false;
}

}  // namespace

int run_check(const CliOptions& options, TerminalDisplay& display) {
    const ops::LoadedImage loaded = ops::load_image(options.hex_file);
    const hex::LoadResult& result = loaded.load;
    if (result.status != hex::LoadStatus::Loaded) {
        display.print_line(result.message);
        return kExitUsage;
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
    const bool flash = print_verdict(options, loaded, hex::PackMode::Flash, display);
    const bool eeprom = print_verdict(options, loaded, hex::PackMode::Eeprom, display);
    return flash && eeprom ? kExitSuccess : kExitUsage;
}

}  // namespace vantro::cli
