#include "connection/connection_options.h"

#include <CLI/CLI.hpp>
#include <cmath>

namespace vantro::cli {

ConnectionOptionParser::ConnectionOptionParser(CLI::App& app, ConnectionOptions& options)
    : options_(options), timeout_seconds_(std::chrono::duration<double>(options.timeout).count()) {
    emulator_flag_ = app.add_flag("--emulator", options.emulator,
                                  "Use the emulated programmer (no hardware needed)");
    app.add_option("--emulate", emulate_,
                   "Emulator setting KEY=VALUE (flash, eeprom, latency, refuse, silent, unplug, "
                   "twice, lock); repeatable")
        ->needs(emulator_flag_);
    app.add_option("--device", options.device_path, "Use the programmer at this HID path");
    app.add_option("--timeout", timeout_seconds_, "Seconds to wait for each answer (default 10)")
        ->check(CLI::Range(0.1, 3600.0));
    app.add_option("--lang", options.lang, "Language of the texts: pt (default) or en")
        ->check(CLI::IsMember({"pt", "en"}));
}

std::optional<std::string> ConnectionOptionParser::finish() {
    for (const std::string& item : emulate_) {
        if (auto message = emulator::apply_setting(options_.emulator_settings, item)) {
            return message;
        }
    }
    options_.timeout = std::chrono::milliseconds(std::llround(timeout_seconds_ * 1000.0));
    return std::nullopt;
}

}  // namespace vantro::cli
