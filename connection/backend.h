#pragma once

#include <memory>
#include <string>

#include "connection/connection_options.h"
#include "emulator/emulated_hid_library.h"
#include "hid/hid_library.h"
#include "hidapi/hidapi_library.h"

namespace vantro::cli {

// The HID library a program talks to: hidapi, or the emulated programmer.
struct Backend {
    std::unique_ptr<hid::HidLibrary> library;
    emulator::EmulatedHidLibrary* emulated = nullptr;  // set with --emulator
    hid::HidapiLibrary* hidapi = nullptr;              // set otherwise
    // What the backend says of itself to the user ("gravador emulado"); empty for
    // a real programmer, which needs no word.
    std::string description;
};

// The programmer at `path` ("emulated:K" with --emulator); none: the first one found.
Backend make_backend(const ConnectionOptions& options, const std::optional<std::string>& path);
// The programmer --device names, if any.
inline Backend make_backend(const ConnectionOptions& options) {
    return make_backend(options, options.device_path);
}

}  // namespace vantro::cli
