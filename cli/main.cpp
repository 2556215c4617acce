// SPDX-License-Identifier: MIT
// vantro-cli: the programmer's command-line front-end.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/interruption.h"
#include "connection/command_line_texts.h"
#include "i18n/catalogue.h"
#include "i18n/system_error.h"
#include "i18n/texts.h"
#include "ops/exit_codes.h"
#include "platform/arguments.h"
#include "platform/console.h"
#include "platform/standard_streams.h"

namespace {

int run_command(const vantro::cli::CliOptions& options, vantro::cli::TerminalDisplay& display,
                vantro::cli::Interruption& interruption) {
    using namespace vantro::cli;
    using vantro::ops::Operation;
    Operation operation = Operation::Erase;
    switch (options.command) {
        case Command::Check:
            return run_check(options, display);
        case Command::List:
            return run_list(options, display);
        case Command::Parts:
            return run_parts();
        case Command::Erase:
            break;
        case Command::Flash:
            operation = Operation::Flash;
            break;
        case Command::Eeprom:
            operation = Operation::Eeprom;
            break;
        case Command::Lock:
            operation = Operation::Lock;
            break;
        case Command::Job:
            return run_job(options, display, interruption);
        case Command::Records:
            return run_records(options, display);
    }
    return run_operation(options, operation, display, interruption);
}

// stdout carries help, check's summary and list's programmers: a failed write (a
// full disk, a closed pipe) is a failure, told on stderr.
std::optional<std::string> stdout_failure() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        return vantro::tr_args("Não foi possível escrever na saída padrão: %1",
                               {vantro::system_error_text(errno != 0 ? errno : EIO)});
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vantro::cli;
    vantro::platform::ensure_standard_streams();
    Interruption& interruption = Interruption::install();
    std::vector<std::string> arguments = vantro::platform::utf8_arguments(argc, argv);
    std::vector<char*> utf8_argv;
    for (std::string& argument : arguments) {
        utf8_argv.push_back(argument.data());
    }
    vantro::connection::use_language_of(arguments);
    const ParseResult parsed =
        parse_command_line(static_cast<int>(utf8_argv.size()), utf8_argv.data());
    if (!parsed.options) {
        if (const auto failure = stdout_failure()) {
            vantro::platform::write_text(stderr, *failure + "\n");
            return std::max(parsed.exit_code, static_cast<int>(vantro::ops::kExitUsage));
        }
        return parsed.exit_code;
    }
    const CliOptions& options = *parsed.options;
    vantro::i18n::use_language(options.lang);
    interruption.set_text_before_run(vantro::tr("Interrompido."));
    TerminalDisplay display(stderr, options.quiet, vantro::platform::is_terminal(stderr));
    const int code = run_command(options, display, interruption);
    if (const auto failure = stdout_failure()) {
        display.print_line(*failure);
        return std::max(code, static_cast<int>(vantro::ops::kExitUsage));
    }
    return code;
}
