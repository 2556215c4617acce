#pragma once

#include <memory>

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
};

Backend make_backend(const ConnectionOptions& options);

}  // namespace vantro::cli
