#include "cli/backend.h"

#include "protocol/texts.h"

namespace vantro::cli {

Backend make_backend(const CliOptions& options) {
    Backend backend;
    if (options.emulator) {
        auto emulated = std::make_unique<emulator::EmulatedHidLibrary>(options.emulator_settings);
        backend.emulated = emulated.get();
        backend.library = std::move(emulated);
    } else {
        auto hidapi = std::make_unique<hid::HidapiLibrary>(options.device_path);
        backend.hidapi = hidapi.get();
        backend.library = std::move(hidapi);
    }
    return backend;
}

std::string permission_hint(const hid::ProgrammerInfo& programmer) {
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

}  // namespace vantro::cli
