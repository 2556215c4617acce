#include "connection/backend.h"

#include "i18n/texts.h"

namespace vantro::cli {

Backend make_backend(const ConnectionOptions& options, const std::optional<std::string>& path) {
    Backend backend;
    if (options.emulator) {
        const std::optional<int> number = path ? emulator::emulated_number(*path) : 1;
        // A path that names none of the emulated programmers finds no programmer.
        const bool present = number && *number <= options.emulator_setup.programmers();
        auto emulated = std::make_unique<emulator::EmulatedHidLibrary>(
            options.emulator_setup.settings_of(number.value_or(1)), present);
        backend.emulated = emulated.get();
        backend.library = std::move(emulated);
        backend.description = tr("gravador emulado");
    } else {
        auto hidapi = std::make_unique<hid::HidapiLibrary>(path);
        backend.hidapi = hidapi.get();
        backend.library = std::move(hidapi);
    }
    return backend;
}

}  // namespace vantro::cli
