// SPDX-License-Identifier: MIT
#include "production/production_targets.h"

#include "connection/backend.h"
#include "connection/backend_kind.h"

namespace vantro::production {

namespace {

// The serial number listed for the path; the first programmer's without a path.
Target listed_target(const std::vector<connection::ProgrammerEntry>& listed,
                     const std::optional<std::string>& path) {
    Target target{path, path.value_or("-"), std::nullopt, 1, false};
    for (const connection::ProgrammerEntry& programmer : listed) {
        if (!path || connection::names_programmer(*path, programmer)) {
            target.name = programmer.path;
            if (!programmer.serial.empty()) {
                target.serial = programmer.serial;
            }
            break;
        }
    }
    return target;
}

std::vector<Target> several_targets(const connection::ConnectionOptions& options, bool all) {
    std::vector<std::string> paths = options.device_paths;
    const std::vector<connection::ProgrammerEntry> listed = connection::list_programmers(options);
    if (all) {
        paths.clear();
        for (const connection::ProgrammerEntry& programmer : listed) {
            paths.push_back(programmer.path);
        }
    }
    std::vector<Target> targets;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        Target target = listed_target(listed, paths[i]);
        target.number =
            connection::number_in_path(options, target.name).value_or(static_cast<int>(i + 1));
        target.numbered_files = true;
        targets.push_back(std::move(target));
    }
    return targets;
}

}  // namespace

std::vector<Target> production_targets(const connection::ConnectionOptions& options, bool all,
                                       bool named) {
    if (several_programmers(options, all)) {
        return several_targets(options, all);
    }
    // A programmer's name and serial number need the listing, which may open every
    // programmer once: asked only when the log needs them, or when it costs nothing.
    if (named || connection::backend_kind(options).listing_is_free) {
        return {listed_target(connection::list_programmers(options), options.device_path)};
    }
    return {Target{options.device_path, options.device_path.value_or("-"), std::nullopt, 1, false}};
}

}  // namespace vantro::production
