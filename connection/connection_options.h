#pragma once
// What both programs take on their command line to reach a programmer: a real one
// (optionally at one HID path) or the emulated one with its settings, the time
// limit of each answer, and the language of the texts.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "emulator/emulator_settings.h"
#include "protocol/command_link.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace vantro::cli {

struct ConnectionOptions {
    bool emulator = false;
    emulator::EmulatorSettings emulator_settings;
    std::optional<std::string> device_path;
    std::chrono::milliseconds timeout = protocol::kDefaultTimeout;
    std::string lang;  // "en" or "pt"; empty: Portuguese
};

// Adds --emulator, --emulate, --device, --timeout and --lang to the parser.
class ConnectionOptionParser {
public:
    ConnectionOptionParser(CLI::App& app, ConnectionOptions& options);

    // For options that make sense only with the emulated programmer.
    CLI::Option* emulator_flag() const { return emulator_flag_; }
    // After parsing: applies the emulator settings and the time limit. The message
    // for the user when a setting is invalid, or nothing.
    std::optional<std::string> finish();

private:
    ConnectionOptions& options_;
    CLI::Option* emulator_flag_ = nullptr;
    std::vector<std::string> emulate_;
    double timeout_seconds_ = 0;
};

}  // namespace vantro::cli
