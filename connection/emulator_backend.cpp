// SPDX-License-Identifier: MIT
// The emulated programmers, at the paths emulated:1 to emulated:N.
#include "connection/backend_kind.h"
#include "emulator/emulated_hid_library.h"
#include "emulator/emulator_setup.h"
#include "i18n/texts.h"
#include "protocol/report.h"

namespace vantro::connection {
namespace {

class EmulatorBackend : public Backend {
public:
    EmulatorBackend(const emulator::EmulatorSettings& settings, bool present)
        : library_(settings, present) {}

    hid::HidLibrary& library() override { return library_; }
    std::string description() const override { return tr("gravador emulado"); }

    std::optional<AccessProblem> access_problem() const override { return std::nullopt; }

    const std::vector<std::uint8_t>* memory(hex::Memory which) const override {
        const emulator::EmulatedProgrammer& programmer = library_.programmer();
        return which == hex::Memory::Flash ? &programmer.flash() : &programmer.eeprom();
    }

private:
    emulator::EmulatedHidLibrary library_;
};

// The programmer a path names; none: the first. Nothing for a path that names none.
std::optional<int> number_of(const std::optional<std::string>& path) {
    return path ? emulator::emulated_number(*path) : 1;
}

std::unique_ptr<Backend> open(const ConnectionOptions& options,
                              const std::optional<std::string>& path) {
    const std::optional<int> number = number_of(path);
    // A path that names none of the emulated programmers finds no programmer.
    const bool present = number && *number <= options.emulator_setup.programmers();
    return std::make_unique<EmulatorBackend>(options.emulator_setup.settings_of(number.value_or(1)),
                                             present);
}

std::vector<ProgrammerEntry> list(const ConnectionOptions& options) {
    std::vector<ProgrammerEntry> entries;
    for (int k = 1; k <= options.emulator_setup.programmers(); ++k) {
        entries.push_back({emulator::emulated_path(k), protocol::PROG_VID, protocol::PROG_PID,
                           emulator::emulated_serial(k), tr("Gravador emulado"), std::nullopt});
    }
    return entries;
}

}  // namespace

BackendKind emulator_backend_kind() {
    return {
        .name = "emulator",
        .chosen = [](const ConnectionOptions& options) { return options.emulator; },
        .list = list,
        .open = open,
        .number_in_path = [](const std::string& path) { return emulator::emulated_number(path); },
        // Its configured model.
        .firmware =
            [](const ConnectionOptions& options, const std::optional<std::string>& path) {
                return options.emulator_setup.settings_of(number_of(path).value_or(1)).model;
            },
        .listing_is_free = true,
        .memory_visible = true,
    };
}

}  // namespace vantro::connection
