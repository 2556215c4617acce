// SPDX-License-Identifier: MIT
#include "emulator/emulator_setup.h"

#include <cstdio>

namespace vantro::emulator {
namespace {

constexpr std::string_view kProgrammersKey = "programmers=";
constexpr std::string_view kPathPrefix = "emulated:";

std::optional<int> number_between(std::string_view text, int min, int max) {
    const std::optional<std::uint64_t> value = parse_setting_number(text);
    if (!value || *value < static_cast<std::uint64_t>(min) ||
        *value > static_cast<std::uint64_t>(max)) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

}  // namespace

std::optional<std::string> EmulatorSetup::apply(std::string_view item) {
    const std::size_t at = item.rfind('@');
    const std::string_view setting = item.substr(0, at);
    int number = 0;
    if (at != std::string_view::npos) {
        const auto target = number_between(item.substr(at + 1), 1, kMaxEmulatedProgrammers);
        if (!target || setting.starts_with(kProgrammersKey)) {
            return setting_range_error(item, "@K", 1, kMaxEmulatedProgrammers);
        }
        number = *target;
    }
    if (setting.starts_with(kProgrammersKey)) {
        const auto count =
            number_between(setting.substr(kProgrammersKey.size()), 1, kMaxEmulatedProgrammers);
        if (!count) {
            return setting_range_error(item, "programmers", 1, kMaxEmulatedProgrammers);
        }
        programmers_ = *count;
        return std::nullopt;
    }
    // Checked now, so a bad item is named while it is still the one being read.
    EmulatorSettings scratch;
    if (auto message = apply_setting(scratch, setting)) {
        return message;
    }
    items_.emplace_back(number, std::string(setting));
    return std::nullopt;
}

std::optional<std::string> EmulatorSetup::check() const {
    for (const auto& [number, setting] : items_) {
        if (number > programmers_) {
            return setting_range_error(setting + "@" + std::to_string(number), "@K", 1,
                                       static_cast<std::uint64_t>(programmers_));
        }
    }
    return std::nullopt;
}

EmulatorSettings EmulatorSetup::settings_of(int number) const {
    EmulatorSettings settings;
    for (const auto& [target, setting] : items_) {
        if (target == 0 || target == number) {
            apply_setting(settings, setting);
        }
    }
    return settings;
}

std::string emulated_path(int number) {
    return std::string(kPathPrefix) + std::to_string(number);
}

std::string emulated_serial(int number) {
    char serial[16];
    std::snprintf(serial, sizeof serial, "EMU-%04d", number);
    return serial;
}

std::optional<int> emulated_number(std::string_view path) {
    if (!path.starts_with(kPathPrefix)) {
        return std::nullopt;
    }
    const std::string_view digits = path.substr(kPathPrefix.size());
    // Only the plain decimal form names a programmer: one path, one spelling.
    if (digits.empty() || digits.front() == '0' ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    return number_between(digits, 1, kMaxEmulatedProgrammers);
}

}  // namespace vantro::emulator
