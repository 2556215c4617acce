#pragma once
// The window program's command line.

#include <chrono>
#include <optional>
#include <ostream>
#include <string>

#include "emulator/emulator_settings.h"
#include "protocol/command_link.h"

namespace vantro::app {

inline constexpr int kExitUsage = 2;

struct AppOptions {
    bool emulator = false;
    emulator::EmulatorSettings emulator_settings;
    std::optional<std::string> device_path;
    std::chrono::milliseconds timeout = protocol::kDefaultTimeout;
    std::string lang;              // "en" or "pt"; empty: Portuguese
    bool quit_after_show = false;  // for start-up measurements
};

struct AppParseResult {
    std::optional<AppOptions> options;  // empty: exit with exit_code
    int exit_code = 0;
};

// Help and version go to out, usage errors to err (exit code 2).
AppParseResult parse_app_options(int argc, const char* const* argv, std::ostream& out,
                                 std::ostream& err);

}  // namespace vantro::app
