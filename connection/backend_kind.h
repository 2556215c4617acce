// SPDX-License-Identifier: MIT
#pragma once
// The backends, one row each: adding a backend is adding a row (and a folder for
// its HID library). Everything that differs between backends is in its row, so
// nothing else asks which backend it has.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "connection/backend.h"
#include "connection/connection_options.h"
#include "firmware/firmware_model.h"

namespace vantro::connection {

struct BackendKind {
    std::string_view name;
    // Whether the options choose this backend; the first row that says so wins.
    bool (*chosen)(const ConnectionOptions& options);
    // Every programmer present now.
    std::vector<ProgrammerEntry> (*list)(const ConnectionOptions& options);
    // The programmer at `path`; none: the first one found.
    std::unique_ptr<Backend> (*open)(const ConnectionOptions& options,
                                     const std::optional<std::string>& path);
    // The number a path carries, which names the programmer's output files.
    std::optional<int> (*number_in_path)(const std::string& path);
    // The firmware of the programmer at `path`, as far as it is known.
    firmware::FirmwareModel (*firmware)(const ConnectionOptions& options,
                                        const std::optional<std::string>& path);
    // Listing opens no programmer, so even a single run may name its programmer.
    bool listing_is_free;
    // The chip's memories can be read back after a run (--dump-flash, --dump-eeprom).
    bool memory_visible;
};

// Each backend's row, defined next to its Backend class.
BackendKind hidapi_backend_kind();
BackendKind emulator_backend_kind();

// Every backend, the one chosen when no other is last.
std::span<const BackendKind> backend_kinds();
// The backend the options choose.
const BackendKind& backend_kind(const ConnectionOptions& options);

}  // namespace vantro::connection
