// SPDX-License-Identifier: MIT
#pragma once
// Several emulated programmers from --emulate items: KEY=VALUE hits every one,
// KEY=VALUE@K programmer K only, programmers=N says how many there are.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "emulator/emulator_settings.h"

namespace vantro::emulator {

inline constexpr int kMaxEmulatedProgrammers = 32;

class EmulatorSetup {
public:
    // Takes one item; the user's message when it is refused (nothing is kept then).
    std::optional<std::string> apply(std::string_view item);
    // After the last item: the message when an @K names no programmer.
    std::optional<std::string> check() const;

    int programmers() const { return programmers_; }
    // Programmer `number` (1..programmers()): every item for all, then its own, in order.
    EmulatorSettings settings_of(int number) const;

private:
    int programmers_ = 1;
    std::vector<std::pair<int, std::string>> items_;  // 0: every programmer
};

// "emulated:1" ... : the path and serial number each emulated programmer shows.
std::string emulated_path(int number);
std::string emulated_serial(int number);
// The number in an emulated programmer's path; nothing for any other path.
std::optional<int> emulated_number(std::string_view path);

}  // namespace vantro::emulator
