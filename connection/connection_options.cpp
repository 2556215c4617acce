// SPDX-License-Identifier: MIT
#include "connection/connection_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "i18n/texts.h"

namespace vantro::connection {

namespace {

// Seconds written in full, within what a wait may last: "nan", "inf" and "1x" are
// refused before CLI11 converts them, since a NaN would pass any range check.
const CLI::Validator kWaitSeconds(
    [](std::string& text) -> std::string {
        double value = 0;
        const char* const end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        if (error != std::errc() || stop != end || !std::isfinite(value)) {
            return "\"" + text + "\" is not a number";
        }
        if (value < 0.1 || value > 3600.0) {
            return text + " is not between 0.1 and 3600 seconds";
        }
        return {};
    },
    "");

}  // namespace

ConnectionOptionParser::ConnectionOptionParser(ConnectionOptions& options)
    : options_(options), timeout_seconds_(std::chrono::duration<double>(options.timeout).count()) {}

void ConnectionOptionParser::add_to(CLI::App& app) {
    app.add_flag("--emulator", options_.emulator,
                 "Use the emulated programmer (no hardware needed)");
    app.add_option_function<std::vector<std::string>>(
           "--emulate",
           [this](const std::vector<std::string>& items) {
               emulate_.insert(emulate_.end(), items.begin(), items.end());
           },
           "Emulator setting KEY=VALUE (" + listed_names(emulator::setting_keys()) +
               "), KEY=VALUE@K for emulated programmer K only, or programmers=N; repeatable")
        ->type_name("KEY=VALUE");
    app.add_option_function<std::vector<std::string>>(
           "--device",
           [this](const std::vector<std::string>& paths) {
               devices_.insert(devices_.end(), paths.begin(), paths.end());
           },
           "Use the programmer at this path, or serial:NUMBER for the one with that serial "
           "number (see list); repeat it to use several at once")
        ->type_name("PATH");
    app.add_option("--timeout", timeout_seconds_, "Seconds to wait for each answer (default 10)")
        ->type_name("SECONDS")
        ->check(kWaitSeconds);
    app.add_option("--lang", options_.lang, "Language of the texts: pt (default) or en")
        ->check(CLI::IsMember({"pt", "en"}));
    app.add_option("--part", part_name_,
                   "The chip (see the parts command): images that do not fit it are refused")
        ->type_name("NAME");
}

std::optional<std::string> ConnectionOptionParser::finish() {
    if (!emulate_.empty() && !options_.emulator) {
        return "--emulate requires --emulator";
    }
    if (part_name_) {
        options_.part = ops::find_part(*part_name_);
        if (!options_.part) {
            return tr_args("Componente desconhecido: \"%1\" (conhecidos: %2)",
                           {*part_name_, listed_names(ops::known_parts())});
        }
        // First, so that --emulate may still change them. A part without EEPROM
        // keeps the default: its EEPROM runs are refused before anything is sent.
        std::vector<std::string> sizes{"flash=" + std::to_string(options_.part->flash_size)};
        if (options_.part->eeprom_size > 0) {
            sizes.push_back("eeprom=" + std::to_string(options_.part->eeprom_size));
        }
        emulate_.insert(emulate_.begin(), sizes.begin(), sizes.end());
    }
    for (const std::string& item : emulate_) {
        if (auto message = options_.emulator_setup.apply(item)) {
            return message;
        }
    }
    if (auto message = options_.emulator_setup.check()) {
        return message;
    }
    for (const std::string& path : devices_) {
        const int programmers = options_.emulator_setup.programmers();
        if (options_.emulator && !path.starts_with("serial:") &&
            emulator::emulated_number(path).value_or(programmers + 1) > programmers) {
            return "--device " + path + ": the emulated programmers are emulated:1 to emulated:" +
                   std::to_string(programmers);
        }
        // The same programmer twice would be two runs on one chip at once.
        if (std::find(options_.device_paths.begin(), options_.device_paths.end(), path) ==
            options_.device_paths.end()) {
            options_.device_paths.push_back(path);
        }
    }
    if (!options_.device_paths.empty()) {
        options_.device_path = options_.device_paths.front();
    }
    options_.timeout = std::chrono::milliseconds(std::llround(timeout_seconds_ * 1000.0));
    return std::nullopt;
}

}  // namespace vantro::connection
