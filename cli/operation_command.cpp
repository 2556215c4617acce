#include <chrono>
#include <cstdio>
#include <fstream>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "connection/backend.h"
#include "hid/tracing_hid_library.h"
#include "i18n/texts.h"
#include "ops/queued_session.h"

namespace vantro::cli {

namespace {

ops::Outcome run_command(const CliOptions& options, ops::ProgrammerSession& session) {
    switch (options.command) {
        case Command::Erase:
            return session.Command4_Click();
        case Command::Flash:
            return session.Command6_Click();
        case Command::Eeprom:
            return session.Command1_Click();
        case Command::Lock:
            return session.Command2_Click();
        case Command::List:
        case Command::Check:
            break;
    }
    return ops::Outcome::Busy;
}

// The pre-flight proof: the emulated chip holds exactly the checked image.
int compare_with_image(const CliOptions& options, const ops::ProgrammerSession& session,
                       const emulator::EmulatedProgrammer& programmer, TerminalDisplay& display) {
    const bool flash = options.command == Command::Flash;
    const auto difference = session.last_load().image.first_difference(flash ? programmer.flash()
                                                                             : programmer.eeprom());
    if (!difference) {
        if (!options.quiet) {
            display.print_line(tr("Memória emulada confere com a imagem."));
        }
        return kExitSuccess;
    }
    char address[16];
    std::snprintf(address, sizeof address, "0x%04X", *difference);
    display.print_line(tr_args("Memória emulada difere da imagem no endereço %1.", {address}));
    return kExitRefused;
}

bool save_dumps(const CliOptions& options, const emulator::EmulatedProgrammer& programmer,
                TerminalDisplay& display) {
    bool saved = true;
    if (options.dump_flash && !programmer.save_flash(*options.dump_flash)) {
        display.print_line(
            tr_args("Não foi possível gravar o arquivo \"%1\".", {*options.dump_flash}));
        saved = false;
    }
    if (options.dump_eeprom && !programmer.save_eeprom(*options.dump_eeprom)) {
        display.print_line(
            tr_args("Não foi possível gravar o arquivo \"%1\".", {*options.dump_eeprom}));
        saved = false;
    }
    return saved;
}

}  // namespace

int run_operation(const CliOptions& options, TerminalDisplay& display) {
    Backend backend = make_backend(options);
    hid::HidLibrary* library = backend.library.get();

    std::ofstream trace_file;
    std::unique_ptr<hid::TracingHidLibrary> tracing;
    if (options.trace) {
        trace_file.open(*options.trace, std::ios::out | std::ios::trunc);
        if (!trace_file) {
            display.print_line(
                tr_args("Não foi possível gravar o arquivo \"%1\".", {*options.trace}));
            return kExitUsage;
        }
        tracing = std::make_unique<hid::TracingHidLibrary>(*library, trace_file);
        library = tracing.get();
    }

    ops::QueuedSession wired(*library, display);
    ops::ProgrammerSession& session = wired.session();
    session.set_timeout(options.timeout);
    display.set_hex_path(options.hex_file);
    display.set_lock_bits(options.lock_bits);

    // Devices already present are announced by Connect and taken in at once.
    wired.attach();
    if (library->GetHandle(protocol::PROG_VID, protocol::PROG_PID) == 0) {
        const auto inaccessible =
            backend.hidapi ? backend.hidapi->inaccessible_programmer() : std::nullopt;
        display.print_line(inaccessible ? hid::access_problem_text(*inaccessible)
                                        : tr("Nenhum gravador encontrado."));
        return kExitNoDevice;
    }

    const ops::Outcome outcome = run_command(options, session);
    wired.detach();
    int code = exit_code_for(outcome);
    if (backend.emulated) {
        const auto& programmer = backend.emulated->programmer();
        const bool programmed =
            options.command == Command::Flash || options.command == Command::Eeprom;
        if (code == kExitSuccess && programmed) {
            code = compare_with_image(options, session, programmer, display);
        }
        if (!save_dumps(options, programmer, display) && code == kExitSuccess) {
            code = kExitUsage;
        }
    }
    return code;
}

}  // namespace vantro::cli
