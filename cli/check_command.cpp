#include <cstdio>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "hex/carrega_hex.h"
#include "i18n/texts.h"
#include "platform/console.h"

namespace vantro::cli {

namespace {

std::string hex_address(std::uint32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", address);
    return text;
}

void print(const std::string& line) {
    platform::write_text(stdout, line + "\n");
}

}  // namespace

int run_check(const CliOptions& options, TerminalDisplay& display) {
    hex::LineTable table;
    display.set_hex_path(options.hex_file);
    const hex::LoadResult result = hex::carrega_hex(table, display);
    if (result.status != hex::LoadStatus::Loaded) {
        display.print_line(result.message);
        return kExitUsage;
    }
    const hex::HexImage& image = result.image;
    const int reports = hex::data_reports_for(result.records);
    print(tr_args("Arquivo: %1", {result.path}));
    print(tr_args("Registros: %1", {std::to_string(result.records)}));
    if (image.data_bytes() > 0) {
        print(tr_args("Endereços: %1 a %2", {hex_address(*image.lowest_address()),
                                             hex_address(*image.highest_address())}));
    } else {
        print(tr("Endereços: nenhum"));
    }
    print(tr_args("Bytes de dados: %1", {std::to_string(image.data_bytes())}));
    print(tr_args("Relatórios de dados: FLASH %1, EEPROM %2",
                  {std::to_string(reports), std::to_string(reports)}));
    return kExitSuccess;
}

}  // namespace vantro::cli
