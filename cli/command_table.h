// SPDX-License-Identifier: MIT
#pragma once
// The commands and which of them takes which option: the one source of each
// command's help, of the refusal of an option a command does not take, and of
// the documentation's lists (tests hold the README and the man pages to it).

#include <initializer_list>
#include <span>
#include <string_view>

namespace vantro::cli {

enum class Command { List, Erase, Flash, Eeprom, Lock, Check, Parts, Job, Records };

struct CommandEntry {
    const char* name;
    const char* description;  // Portuguese, through tr()
    Command command;
};

// Commands written as a list: {Command::Erase, Command::Flash}.
class CommandSet {
public:
    constexpr CommandSet(std::initializer_list<Command> commands) {
        for (const Command command : commands) {
            bits_ |= 1u << static_cast<unsigned>(command);
        }
    }
    constexpr bool has(Command command) const {
        return (bits_ & (1u << static_cast<unsigned>(command))) != 0;
    }

private:
    unsigned bits_ = 0;
};

struct OptionEntry {
    const char* name;     // the long name, as typed: "--repeat"
    CommandSet commands;  // the commands that take it
};

std::span<const CommandEntry> command_table();
std::span<const OptionEntry> option_table();

// Whether `command` takes the option of this long name; false for a name not in the table.
bool takes_option(Command command, std::string_view name);
// Whether every command takes it (`help` takes these, and the top level lists them).
bool every_command_takes(std::string_view name);

}  // namespace vantro::cli
