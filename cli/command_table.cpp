// SPDX-License-Identifier: MIT
#include "cli/command_table.h"

#include <algorithm>

namespace vantro::cli {

namespace {

using enum Command;

constexpr CommandEntry kCommands[] = {
    {"list", "Lista os gravadores presentes", List},
    {"erase", "Apaga o chip", Erase},
    {"flash", "Grava uma imagem HEX na FLASH", Flash},
    {"eeprom", "Grava uma imagem HEX na EEPROM", Eeprom},
    {"lock", "Grava os lock bits", Lock},
    {"check", "Confere um arquivo HEX sem gravador", Check},
    {"parts", "Lista os componentes que --part aceita, com suas memórias", Parts},
    {"job",
     "Executa um trabalho de produção: os chips que um arquivo TOML descreve, soquete a soquete",
     Job},
    {"records",
     "Mostra a base de registros de um job: o registro de um chip, um resumo ou tudo em CSV ou "
     "JSON",
     Records},
};

// A row per option: a new option gets its row here and its parser in cli_options.cpp.
constexpr OptionEntry kOptions[] = {
    {"--emulator", {List, Erase, Flash, Eeprom, Lock, Check, Job}},
    {"--emulate", {List, Erase, Flash, Eeprom, Lock, Check, Job}},
    {"--device", {Erase, Flash, Eeprom, Lock, Check, Job}},
    {"--timeout", {Erase, Flash, Eeprom, Lock, Job}},
    {"--lang", {List, Erase, Flash, Eeprom, Lock, Check, Parts, Job, Records}},
    {"--part", {Erase, Flash, Eeprom, Lock, Check}},
    {"--dump-flash", {Erase, Flash, Eeprom, Lock, Job}},
    {"--dump-eeprom", {Erase, Flash, Eeprom, Lock, Job}},
    {"--trace", {Erase, Flash, Eeprom, Lock, Job}},
    {"--quiet", {Erase, Flash, Eeprom, Lock, Job}},
    {"--all", {Erase, Flash, Eeprom, Lock}},
    {"--repeat", {Erase, Flash, Eeprom, Lock}},
    {"--log", {Erase, Flash, Eeprom, Lock}},
    {"--lb1", {Lock}},
    {"--lb2", {Lock}},
    {"--lb3", {Lock}},
    {"--check", {Job}},
    {"--operator", {Job}},
    {"--serial", {Records}},
    {"--format", {Records}},
};

const OptionEntry* find_option(std::string_view name) {
    const auto found = std::find_if(std::begin(kOptions), std::end(kOptions),
                                    [&](const OptionEntry& entry) { return entry.name == name; });
    return found == std::end(kOptions) ? nullptr : found;
}

}  // namespace

std::span<const CommandEntry> command_table() {
    return kCommands;
}

std::span<const OptionEntry> option_table() {
    return kOptions;
}

bool takes_option(Command command, std::string_view name) {
    const OptionEntry* const entry = find_option(name);
    return entry != nullptr && entry->commands.has(command);
}

bool every_command_takes(std::string_view name) {
    return std::all_of(std::begin(kCommands), std::end(kCommands), [&](const CommandEntry& entry) {
        return takes_option(entry.command, name);
    });
}

}  // namespace vantro::cli
