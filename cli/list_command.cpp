#include <cstdio>

#include "cli/chip_run.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "connection/backend.h"
#include "emulator/emulator_setup.h"
#include "i18n/texts.h"
#include "protocol/report.h"

namespace vantro::cli {

namespace {

void print_programmer(const std::string& path, std::uint16_t vid, std::uint16_t pid,
                      const std::string& serial, const std::string& product) {
    std::printf("%s  %04x:%04x  %s  %s\n", path.c_str(), vid, pid,
                serial.empty() ? "-" : serial.c_str(), product.c_str());
}

}  // namespace

int run_list(const CliOptions& options, TerminalDisplay& display) {
    if (options.emulator) {
        for (int k = 1; k <= options.emulator_setup.programmers(); ++k) {
            print_programmer(emulator::emulated_path(k), protocol::PROG_VID, protocol::PROG_PID,
                             emulator::emulated_serial(k), tr("Gravador emulado"));
        }
        return kExitSuccess;
    }
    const std::vector<hid::ProgrammerInfo> programmers = hid::list_programmers();
    for (const hid::ProgrammerInfo& programmer : programmers) {
        const hid::HidDeviceListing& device = programmer.device;
        print_programmer(device.path, device.vendor_id, device.product_id, device.serial,
                         device.product);
        if (programmer.failure) {
            display.print_line(hid::access_problem_text(programmer));
        }
    }
    if (programmers.empty()) {
        display.print_line(no_programmer_text());
        return kExitNoDevice;
    }
    return kExitSuccess;
}

}  // namespace vantro::cli
