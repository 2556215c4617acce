#include <cstdio>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "protocol/report.h"
#include "protocol/texts.h"

namespace vantro::cli {

int run_list(const CliOptions& options, TerminalDisplay& display) {
    if (options.emulator) {
        std::printf("emulator  %04x:%04x  %s  %s\n", protocol::PROG_VID, protocol::PROG_PID,
                    "EMU-0001", tr("Gravador emulado").c_str());
        return kExitSuccess;
    }
    display.print_line(tr("Nenhum gravador encontrado."));
    return kExitNoDevice;
}

}  // namespace vantro::cli
