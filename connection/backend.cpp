#include "connection/backend.h"

namespace vantro::cli {

Backend make_backend(const ConnectionOptions& options) {
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

}  // namespace vantro::cli
