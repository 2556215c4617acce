// SPDX-License-Identifier: MIT
// vantro-virtual-programmer: a programmer in the kernel's HID stack, made through
// uhid, so that the real path (hidraw, hidapi, permissions, hot-plug) can be tried
// without hardware.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "connection/command_line_texts.h"
#include "i18n/system_error.h"
#include "i18n/texts.h"
#include "platform/arguments.h"
#include "platform/console.h"
#include "platform/interrupting_signals.h"
#include "platform/standard_streams.h"
#include "virtual/virtual_options.h"

namespace {

int stop_pipe[2] = {-1, -1};

// Wakes the serving loop, which ends the run cleanly: device removed, memories saved.
void take_signal(int) {
    const char byte = 0;
    [[maybe_unused]] const auto written = ::write(stop_pipe[1], &byte, 1);
}

void say(const std::string& line) {
    vantro::platform::write_text(stderr, line + "\n");
}

// Why /dev/uhid could not be opened, and what to do about it.
std::string uhid_problem(int error) {
    using vantro::tr;
    if (error == ENOENT || error == ENODEV || error == ENXIO) {
        return tr(
            "Não há /dev/uhid: carregue o módulo do kernel com \"modprobe uhid\" (como "
            "root).");
    }
    if (error == EACCES || error == EPERM) {
        return tr(
            "Sem permissão para abrir /dev/uhid: execute como root, ou dê acesso ao seu "
            "usuário com uma regra do udev para /dev/uhid.");
    }
    return vantro::tr_args("Não foi possível abrir /dev/uhid: %1",
                           {vantro::system_error_text(error)});
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vantro::virtual_programmer;
    vantro::platform::ensure_standard_streams();
    if (::pipe2(stop_pipe, O_CLOEXEC) != 0) {
        return 3;
    }
    vantro::platform::watch_interrupting_signals(take_signal);
    std::vector<std::string> arguments = vantro::platform::utf8_arguments(argc, argv);
    std::vector<char*> utf8_argv;
    for (std::string& argument : arguments) {
        utf8_argv.push_back(argument.data());
    }
    vantro::connection::use_language_of(arguments);
    ParsedSetup parsed =
        parse_virtual_options(static_cast<int>(utf8_argv.size()), utf8_argv.data());
    if (!parsed.setup) {
        return parsed.exit_code;
    }
    std::optional<UhidDevice> device = UhidDevice::open();
    if (!device) {
        say(uhid_problem(errno));
        return 3;
    }
    VirtualProgrammer programmer(std::move(*parsed.setup), std::move(*device), say);
    return programmer.run(stop_pipe[0]);
}
