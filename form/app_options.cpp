// SPDX-License-Identifier: MIT
#include "form/app_options.h"

#include <CLI/CLI.hpp>

#include "connection/command_line_texts.h"
#include "i18n/texts.h"

namespace vantro::form {

void apply_to_session(const AppOptions& options, connection::Backend& backend,
                      ops::ProgrammerSession& session) {
    session.set_timeout(options.timeout);
    session.set_part(options.part);
    session.see_chip_memory(connection::chip_memory(backend));
    session.set_firmware_model(connection::firmware_model(options, options.device_path));
}

AppParseResult parse_app_options(int argc, const char* const* argv, std::ostream& out,
                                 std::ostream& err) {
    AppOptions options;
    // Named, so that the help shows "vantro" and not the path it was started by.
    CLI::App app{tr("vantro: a janela do gravador Vantro de 8051"), "vantro"};
    connection::speak_the_language(app, std::string("vantro ") + VANTRO_VERSION);

    connection::ConnectionOptionParser connection(options);
    connection.add_to(app);
    // The window runs on one programmer and has no commands: its help says so.
    app.get_option("--device")
        ->description(tr("Usa o gravador neste caminho, ou serial:NÚMERO para o de número de série "
                         "NÚMERO, quando há mais de um"));
    app.get_option("--part")->description(
        tr("O chip (AT89S51, AT89S8252...): imagens que não cabem nele são "
           "recusadas"));
    // Exits right after the window is first shown: for start-up measurements.
    app.add_flag("--quit-after-show", options.quit_after_show)->group("");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() != 0) {
            err << connection::parse_error_text(error);
            return {std::nullopt, ops::kExitUsage};
        }
        app.exit(error, out, err);
        return {std::nullopt, 0};
    }
    if (const auto message = connection.finish()) {
        err << *message << '\n';
        return {std::nullopt, ops::kExitUsage};
    }
    if (options.device_paths.size() > 1) {
        err << tr("A janela usa um só gravador: dê --device uma vez só.") << '\n';
        return {std::nullopt, ops::kExitUsage};
    }
    return {options, 0};
}

}  // namespace vantro::form
