// SPDX-License-Identifier: MIT
#include "form/app_options.h"

#include <CLI/CLI.hpp>

namespace vantro::form {

AppParseResult parse_app_options(int argc, const char* const* argv, std::ostream& out,
                                 std::ostream& err) {
    AppOptions options;
    CLI::App app{"vantro: the window of the Vantro 8051 programmer"};
    app.set_version_flag("--version", std::string("vantro ") + VANTRO_VERSION);

    connection::ConnectionOptionParser connection(options);
    connection.add_to(app);
    // Exits right after the window is first shown: for start-up measurements.
    app.add_flag("--quit-after-show", options.quit_after_show)->group("");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error, out, err);
        return {std::nullopt, code == 0 ? 0 : kExitUsage};
    }
    if (const auto message = connection.finish()) {
        err << *message << '\n';
        return {std::nullopt, kExitUsage};
    }
    return {options, 0};
}

}  // namespace vantro::form
