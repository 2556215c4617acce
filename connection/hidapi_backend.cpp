// SPDX-License-Identifier: MIT
// Real programmers, through hidapi.
#include "connection/backend_kind.h"
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

    const std::vector<std::uint8_t>* memory(hex::Memory) const override { return nullptr; }
    void devices_changed() override { library_.devices_changed(); }

private:
    hid::HidapiLibrary library_;
};

std::vector<ProgrammerEntry> list(const ConnectionOptions&) {
    std::vector<ProgrammerEntry> entries;
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

}  // namespace

BackendKind hidapi_backend_kind() {
    return {
        .name = "hidapi",
        .chosen = [](const ConnectionOptions&) { return true; },
        .list = list,
        .open = [](const ConnectionOptions&, const std::optional<std::string>& path)
            -> std::unique_ptr<Backend> { return std::make_unique<HidapiBackend>(path); },
        .number_in_path = [](const std::string&) -> std::optional<int> { return std::nullopt; },
        // The model closest to a real firmware.
        .firmware = [](const ConnectionOptions&,
                       const std::optional<std::string>&) { return firmware::FirmwareModel{}; },
        .listing_is_free = false,
        .memory_visible = false,
    };
}

}  // namespace vantro::connection
