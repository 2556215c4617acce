#include "cli/production_targets.h"

#include "emulator/emulator_setup.h"
#include "hidapi/hidapi_programmer_list.h"

namespace vantro::cli {

namespace {

Target emulated_target(const CliOptions& options, const std::string& path) {
    Target target{path, path, std::nullopt, 1, false};
    const std::optional<int> number = emulator::emulated_number(path);
    if (number && *number <= options.emulator_setup.programmers()) {
        target.serial = emulator::emulated_serial(*number);
        target.number = *number;
    }
    return target;
}

// The serial number hidapi lists for the path; the first programmer's without a path.
Target listed_target(const std::vector<hid::ProgrammerInfo>& listed,
                     const std::optional<std::string>& path) {
    Target target{path, path.value_or("-"), std::nullopt, 1, false};
    for (const hid::ProgrammerInfo& programmer : listed) {
        if (!path || programmer.device.path == *path) {
            target.name = programmer.device.path;
            if (!programmer.device.serial.empty()) {
                target.serial = programmer.device.serial;
            }
            break;
        }
    }
    return target;
}

std::vector<Target> several_targets(const CliOptions& options) {
    std::vector<std::string> paths = options.device_paths;
    std::vector<hid::ProgrammerInfo> listed;
    if (!options.emulator) {
        listed = hid::list_programmers();
    }
    if (options.all) {
        paths.clear();
        for (int k = 1; options.emulator && k <= options.emulator_setup.programmers(); ++k) {
            paths.push_back(emulator::emulated_path(k));
        }
        for (const hid::ProgrammerInfo& programmer : listed) {
            paths.push_back(programmer.device.path);
        }
    }
    std::vector<Target> targets;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        Target target =
            options.emulator ? emulated_target(options, paths[i]) : listed_target(listed, paths[i]);
        if (!options.emulator) {
            target.number = static_cast<int>(i + 1);
        }
        target.numbered_files = true;
        targets.push_back(std::move(target));
    }
    return targets;
}

}  // namespace

std::vector<Target> production_targets(const CliOptions& options) {
    if (options.several_programmers()) {
        return several_targets(options);
    }
    if (options.emulator) {
        return {emulated_target(options, options.device_path.value_or(emulator::emulated_path(1)))};
    }
    // The listing opens every programmer once: asked only when the log needs a name.
    if (options.log) {
        return {listed_target(hid::list_programmers(), options.device_path)};
    }
    return {Target{options.device_path, options.device_path.value_or("-"), std::nullopt, 1, false}};
}

}  // namespace vantro::cli
