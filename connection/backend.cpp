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
                                      const std::optional<std::string>& device) {
    std::optional<std::string> path = device;
    if (device && device->starts_with(kSerialPrefix)) {
        // No programmer has that serial number: the device stays a path nobody has.
        path = device_path(options, *device).value_or(*device);
    }
    return backend_kind(options).open(options, path);
}

ops::MemoryReader chip_memory(const Backend& backend) {
    return [&backend](hex::Memory mode) { return backend.memory(mode); };
}

firmware::FirmwareModel firmware_model(const ConnectionOptions& options,
                                       const std::optional<std::string>& path) {
    return backend_kind(options).firmware(options, path);
}

std::vector<ProgrammerEntry> list_programmers(const ConnectionOptions& options) {
    return backend_kind(options).list(options);
}

std::optional<std::string> device_path(const ConnectionOptions& options,
                                       const std::string& device) {
    if (!device.starts_with(kSerialPrefix)) {
        return device;
    }
    for (const ProgrammerEntry& programmer : list_programmers(options)) {
        if (names_programmer(device, programmer)) {
            return programmer.path;
        }
    }
    return std::nullopt;
}

bool names_programmer(const std::string& device, const ProgrammerEntry& programmer) {
    return device == programmer.path ||
           (device.starts_with(kSerialPrefix) && !programmer.serial.empty() &&
            device.substr(kSerialPrefix.size()) == programmer.serial);
}

std::optional<int> number_in_path(const ConnectionOptions& options, const std::string& path) {
    return backend_kind(options).number_in_path(path);
}

}  // namespace vantro::connection
