// SPDX-License-Identifier: MIT
#include "connection/backend.h"

#include "connection/backend_kind.h"

namespace vantro::connection {

std::span<const BackendKind> backend_kinds() {
    static const BackendKind kinds[] = {emulator_backend_kind(), hidapi_backend_kind()};
    return kinds;
}

const BackendKind& backend_kind(const ConnectionOptions& options) {
    const std::span<const BackendKind> kinds = backend_kinds();
    for (const BackendKind& kind : kinds) {
        if (kind.chosen(options)) {
            return kind;
        }
    }
    return kinds.back();
}

std::unique_ptr<Backend> make_backend(const ConnectionOptions& options,
                                      const std::optional<std::string>& path) {
    return backend_kind(options).open(options, path);
}

ops::ChipMemory chip_memory(const Backend& backend) {
    return [&backend](hex::PackMode mode) {
        return backend.memory(mode == hex::PackMode::Flash ? Memory::Flash : Memory::Eeprom);
    };
}

firmware::FirmwareModel firmware_model(const ConnectionOptions& options,
                                       const std::optional<std::string>& path) {
    return backend_kind(options).firmware(options, path);
}

std::vector<ProgrammerEntry> list_programmers(const ConnectionOptions& options) {
    return backend_kind(options).list(options);
}

std::optional<int> number_in_path(const ConnectionOptions& options, const std::string& path) {
    return backend_kind(options).number_in_path(path);
}

}  // namespace vantro::connection
