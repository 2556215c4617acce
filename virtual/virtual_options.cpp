// SPDX-License-Identifier: MIT
#include "virtual/virtual_options.h"

#include <CLI/CLI.hpp>
#include <sstream>

#include "connection/command_line_texts.h"
#include "emulator/emulator_settings.h"
#include "i18n/texts.h"
#include "platform/console.h"

namespace vantro::virtual_programmer {

ParsedSetup parse_virtual_options(int argc, char** argv) {
    CLI::App app(tr("Um gravador Vantro virtual no kernel (uhid), para experimentar o caminho "
                    "real sem hardware: responde como o gravador emulado até SIGINT ou SIGTERM."),
                 "vantro-virtual-programmer");
    connection::speak_the_language(app, std::string("vantro-virtual-programmer ") + VANTRO_VERSION);
    VirtualSetup setup;
    std::vector<std::string> emulate;
    std::string dump_flash;
    std::string dump_eeprom;
    std::optional<std::uint64_t> replug_ms;
    std::string lang;
    app.add_option("--serial", setup.serial,
                   tr("Número de série do gravador virtual (padrão VIRT-0001)"))
        ->type_name(tr("TEXTO"));
    app.add_option("--emulate", emulate,
                   tr_args("Configuração do gravador CHAVE=VALOR (%1); pode ser repetida",
                           {listed_names(emulator::setting_keys())}))
        ->type_name(tr("CHAVE=VALOR"));
    app.add_option("--dump-flash", dump_flash,
                   tr("Salva a FLASH em ARQUIVO após cada relatório de fim e de lock bits, e ao "
                      "encerrar"))
        ->type_name(tr("ARQUIVO"));
    app.add_option("--dump-eeprom", dump_eeprom,
                   tr("Salva a EEPROM em ARQUIVO após cada relatório de fim e de lock bits, e ao "
                      "encerrar"))
        ->type_name(tr("ARQUIVO"));
    app.add_option("--replug-after", replug_ms,
                   tr("Depois de um unplug, conecta o gravador de novo após MS milissegundos"))
        ->type_name("MS");
    connection::add_language_option(app, lang);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() != 0) {
            platform::write_text(stderr, connection::parse_error_text(error));
            return {std::nullopt, 2};
        }
        // Through write_text, as the other programs print their help.
        std::ostringstream out;
        std::ostringstream err;
        app.exit(error, out, err);
        platform::write_text(stdout, out.str());
        platform::write_text(stderr, err.str());
        return {std::nullopt, 0};
    }
    for (const std::string& item : emulate) {
        if (auto message = emulator::apply_setting(setup.settings, item)) {
            platform::write_text(stderr, *message + "\n");
            return {std::nullopt, 2};
        }
    }
    if (!dump_flash.empty()) {
        setup.dump_flash = dump_flash;
    }
    if (!dump_eeprom.empty()) {
        setup.dump_eeprom = dump_eeprom;
    }
    if (replug_ms) {
        setup.replug_after = std::chrono::milliseconds(static_cast<std::int64_t>(*replug_ms));
    }
    return {std::move(setup), 0};
}

}  // namespace vantro::virtual_programmer
