// vantro-cli: the programmer's command-line front-end.

#include <unistd.h>

#include <cstdio>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/interruption.h"
#include "connection/standard_streams.h"
#include "i18n/catalogue.h"
#include "i18n/texts.h"

int main(int argc, char** argv) {
    using namespace vantro::cli;
    ensure_standard_streams();
    Interruption& interruption = Interruption::install();
    const ParseResult parsed = parse_command_line(argc, argv);
    if (!parsed.options) {
        return parsed.exit_code;
    }
    const CliOptions& options = *parsed.options;
    vantro::i18n::use_language(options.lang);
    interruption.set_text_before_run(vantro::tr("Interrompido."));
    TerminalDisplay display(stderr, options.quiet, isatty(STDERR_FILENO) == 1);
    switch (options.command) {
        case Command::Check:
            return run_check(options, display);
        case Command::List:
            return run_list(options, display);
        default:
            return run_operation(options, display, interruption);
    }
}
