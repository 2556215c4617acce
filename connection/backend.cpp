// SPDX-License-Identifier: MIT
#include "connection/backend.h"

#include "emulator/emulated_hid_library.h"
#include "emulator/emulator_setup.h"
#include "hidapi/hidapi_library.h"
#include "hidapi/hidapi_programmer_list.h"
#include "i18n/texts.h"
#include "protocol/report.h"

namespace vantro::connection {
namespace {

constexpr hid::ProgrammerIds kProgrammerIds{protocol::PROG_VID, protocol::PROG_PID};

// Why this programmer cannot be used, and the fix: close the program that holds
// it (Windows); install the udev rule, then replug (where permission is missing).
std::string access_problem_text(const hid::ProgrammerInfo& programmer) {
    if (programmer.failure && programmer.failure->held_by_another_program) {
        return tr_args(
            "Gravador encontrado em %1, mas outro programa está usando o gravador: feche esse "
            "programa e tente de novo.",
            {programmer.device.path});
    }
    if (programmer.failure && programmer.failure->permission_denied()) {
        return tr_args(
            "Gravador encontrado em %1, mas sem permissão de acesso: instale a regra udev do "
            "Vantro e reconecte o gravador.",
            {programmer.device.path});
    }
    return tr_args(
        "Gravador encontrado em %1, mas não foi possível abri-lo: %2",
        {programmer.device.path, programmer.failure ? programmer.failure->message : std::string()});
}

class HidapiBackend : public Backend {
public:
    explicit HidapiBackend(const std::optional<std::string>& path)
        : library_(kProgrammerIds, path) {}

    hid::HidLibrary& library() override { return library_; }
    std::string description() const override { return {}; }

    std::optional<AccessProblem> access_problem() const override {
        const auto blocked = library_.inaccessible_programmer();
        if (!blocked) {
            return std::nullopt;
        }
        return AccessProblem{blocked->device.path, access_problem_text(*blocked)};
    }

    const std::vector<std::uint8_t>* memory(Memory) const override { return nullptr; }
    bool save_memory(Memory, const std::filesystem::path&) const override { return false; }
    void devices_changed() override { library_.devices_changed(); }

private:
    hid::HidapiLibrary library_;
};

class EmulatorBackend : public Backend {
public:
    EmulatorBackend(const emulator::EmulatorSettings& settings, bool present)
        : library_(settings, present) {}

    hid::HidLibrary& library() override { return library_; }
    std::string description() const override { return tr("gravador emulado"); }

    std::optional<AccessProblem> access_problem() const override { return std::nullopt; }

    const std::vector<std::uint8_t>* memory(Memory which) const override {
        const emulator::EmulatedProgrammer& programmer = library_.programmer();
        return which == Memory::Flash ? &programmer.flash() : &programmer.eeprom();
    }

    bool save_memory(Memory which, const std::filesystem::path& path) const override {
        const emulator::EmulatedProgrammer& programmer = library_.programmer();
        return which == Memory::Flash ? programmer.save_flash(path) : programmer.save_eeprom(path);
    }

private:
    emulator::EmulatedHidLibrary library_;
};

}  // namespace

std::unique_ptr<Backend> make_backend(const ConnectionOptions& options,
                                      const std::optional<std::string>& path) {
    if (!options.emulator) {
        return std::make_unique<HidapiBackend>(path);
    }
    const std::optional<int> number = path ? emulator::emulated_number(*path) : 1;
    // A path that names none of the emulated programmers finds no programmer.
    const bool present = number && *number <= options.emulator_setup.programmers();
    return std::make_unique<EmulatorBackend>(options.emulator_setup.settings_of(number.value_or(1)),
                                             present);
}

ops::ChipMemory chip_memory(const Backend& backend) {
    return [&backend](hex::PackMode mode) {
        return backend.memory(mode == hex::PackMode::Flash ? Memory::Flash : Memory::Eeprom);
    };
}

firmware::FirmwareModel firmware_model(const ConnectionOptions& options,
                                       const std::optional<std::string>& path) {
    if (!options.emulator) {
        return {};
    }
    const std::optional<int> number = path ? emulator::emulated_number(*path) : 1;
    return options.emulator_setup.settings_of(number.value_or(1)).model;
}

std::vector<ProgrammerEntry> list_programmers(const ConnectionOptions& options) {
    std::vector<ProgrammerEntry> entries;
    if (options.emulator) {
        for (int k = 1; k <= options.emulator_setup.programmers(); ++k) {
            entries.push_back({emulator::emulated_path(k), protocol::PROG_VID, protocol::PROG_PID,
                               emulator::emulated_serial(k), tr("Gravador emulado"), std::nullopt});
        }
        return entries;
    }
    for (const hid::ProgrammerInfo& programmer : hid::list_programmers(kProgrammerIds)) {
        const hid::HidDeviceListing& device = programmer.device;
        entries.push_back({device.path, device.vendor_id, device.product_id, device.serial,
                           device.product, std::nullopt});
        if (programmer.failure) {
            entries.back().problem = access_problem_text(programmer);
        }
    }
    return entries;
}

std::optional<int> number_in_path(const ConnectionOptions& options, const std::string& path) {
    return options.emulator ? emulator::emulated_number(path) : std::nullopt;
}

}  // namespace vantro::connection
