#include "app/app_options.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <vector>

namespace vantro::app {

AppParseResult parse_app_options(int argc, const char* const* argv, std::ostream& out,
                                 std::ostream& err) {
    AppOptions options;
    CLI::App app{"vantro: the window of the Vantro 8051 programmer"};
    app.set_version_flag("--version", std::string("vantro ") + VANTRO_VERSION);

    double timeout_seconds = std::chrono::duration<double>(protocol::kDefaultTimeout).count();
    std::vector<std::string> emulate;
    auto* emulator_flag = app.add_flag("--emulator", options.emulator,
                                       "Use the emulated programmer (no hardware needed)");
    app.add_option("--emulate", emulate,
                   "Emulator setting KEY=VALUE (flash, eeprom, latency, refuse, silent, unplug, "
                   "twice, lock); repeatable")
        ->needs(emulator_flag);
    app.add_option("--device", options.device_path, "Use the programmer at this HID path");
    app.add_option("--timeout", timeout_seconds, "Seconds to wait for each answer (default 10)")
        ->check(CLI::Range(0.1, 3600.0));
    app.add_option("--lang", options.lang, "Language of the texts: pt (default) or en")
        ->check(CLI::IsMember({"pt", "en"}));
    // Exits right after the window is first shown: for start-up measurements.
    app.add_flag("--quit-after-show", options.quit_after_show)->group("");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error, out, err);
        return {std::nullopt, code == 0 ? 0 : kExitUsage};
    }
    for (const std::string& item : emulate) {
        if (auto message = emulator::apply_setting(options.emulator_settings, item)) {
            err << *message << '\n';
            return {std::nullopt, kExitUsage};
        }
    }
    options.timeout = std::chrono::milliseconds(std::llround(timeout_seconds * 1000.0));
    return {options, 0};
}

}  // namespace vantro::app
