// SPDX-License-Identifier: MIT
#pragma once
// What both programs take on their command line to reach a programmer: a real one
// (optionally at one HID path) or the emulated one with its settings, the time
// limit of each answer, and the language of the texts.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "emulator/emulator_setup.h"
#include "ops/parts.h"
#include "protocol/command_link.h"

namespace CLI {
class App;
}  // namespace CLI

namespace vantro::connection {

struct ConnectionOptions {
    bool emulator = false;
    emulator::EmulatorSetup emulator_setup;
    std::vector<std::string> device_paths;   // every --device, in order, once each
    std::optional<std::string> device_path;  // the first --device
    std::chrono::milliseconds timeout = protocol::kDefaultTimeout;
    std::string lang;               // "en" or "pt"; empty: Portuguese
    std::optional<ops::Part> part;  // --part: the chip, with its memory sizes
};

// --emulator, --emulate, --device, --timeout, --lang and --part.
class ConnectionOptionParser {
public:
    explicit ConnectionOptionParser(ConnectionOptions& options);

    // Adds the options to a parser; may be called for several (sub)commands that
    // all fill the same values.
    void add_to(CLI::App& app);
    // After parsing: checks how the options go together, applies the part, the
    // emulator settings (a part's sizes first, so that --emulate can still change
    // them) and the time limit. The message for the user when something is wrong,
    // or nothing.
    std::optional<std::string> finish();

private:
    ConnectionOptions& options_;
    std::vector<std::string> emulate_;
    std::vector<std::string> devices_;
    std::optional<std::string> part_name_;  // given, even empty: a part to find
    double timeout_seconds_ = 0;
};

}  // namespace vantro::connection
