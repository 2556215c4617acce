// SPDX-License-Identifier: MIT
// vantro-cli's help and refusals follow the command table: each command lists
// the options it takes and refuses the others, wherever they stand.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "cli/command_table.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/read_all.h"

namespace vantro {
namespace {

using testing::run_cli;

// The options a help text lists: the names at the start of its option lines.
std::set<std::string> listed_options(const std::string& help) {
    std::set<std::string> names;
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        const auto start = line.find_first_not_of(' ');
        if (start == std::string::npos || start == 0 || line[start] != '-') {
            continue;
        }
        std::istringstream words(line.substr(start, line.find(' ', start) - start));
        for (std::string name; std::getline(words, name, ',');) {
            if (name.starts_with("--")) {
                names.insert(name);
            }
        }
    }
    return names;
}

TEST(CliHelp, EachCommandListsTheOptionsTheTableGivesItInTheRunsLanguage) {
    for (const cli::CommandEntry& command : cli::command_table()) {
        SCOPED_TRACE(command.name);
        std::set<std::string> expected{"--help"};
        for (const cli::OptionEntry& option : cli::option_table()) {
            if (option.commands.has(command.command)) {
                expected.insert(option.name);
            }
        }
        const auto help = run_cli(std::string("help ") + command.name);
        EXPECT_EQ(help.exit_code, 0) << help.err;
        EXPECT_EQ(listed_options(help.out), expected) << help.out;
        const auto english = run_cli(std::string(command.name) + " --help --lang en");
        EXPECT_EQ(listed_options(english.out), expected) << english.out;
        EXPECT_NE(english.out.find("Options"), std::string::npos) << english.out;
        EXPECT_EQ(english.out, run_cli(std::string("help --lang en ") + command.name).out);
        EXPECT_EQ(english.out, run_cli(std::string("--lang en help ") + command.name).out);
    }
    // The top level lists what every command takes, and where to find the rest.
    const auto top = run_cli("help --lang en");
    EXPECT_EQ(listed_options(top.out), (std::set<std::string>{"--help", "--version", "--lang"}))
        << top.out;
    EXPECT_NE(top.out.find("Each command's options: vantro-cli help COMMAND."), std::string::npos);
}

TEST(CliHelp, AnOptionTheCommandDoesNotTakeIsRefusedBeforeOrAfterIt) {
    const struct {
        const char* arguments;
        const char* says;
    } rows[] = {
        {"check x.hex --repeat",
         "check: --repeat não se aplica a este comando; vantro-cli help "
         "check lista as suas opções."},
        {"--log x.jsonl check x.hex", "check: --log não se aplica a este comando"},
        {"--emulator job --part AT89S52 j.toml --lang en",
         "job: --part does not apply to this command; vantro-cli help job lists its options."},
        {"--all --emulator job j.toml", "job: --all não se aplica"},
        {"--lb1 --emulator erase", "erase: --lb1 não se aplica"},
        {"parts --emulator", "parts: --emulator não se aplica"},
        {"list --timeout 2", "list: --timeout não se aplica"},
        {"--check --emulator flash x.hex", "flash: --check não se aplica"},
        {"help flash --emulator", "help: --emulator não se aplica"},
        {"--emulatr list", "--emulatr: você quis dizer --emulator?"},
        {"list --emulatr", "--emulatr: você quis dizer --emulator?"},
        {"erase --timeuot=3 --lang en", "--timeuot: did you mean --timeout?"},
        {"flash x.hex --frobnicate", "--frobnicate: não existe essa opção"},
    };
    for (const auto& row : rows) {
        const auto run = run_cli(row.arguments);
        EXPECT_EQ(run.exit_code, 2) << row.arguments;
        EXPECT_NE(run.err.find(row.says), std::string::npos) << row.arguments << "\n" << run.err;
    }
}

// The commands the table gives an option, in the table's order.
std::vector<std::string> commands_taking(const cli::OptionEntry& option) {
    std::vector<std::string> names;
    for (const cli::CommandEntry& command : cli::command_table()) {
        if (option.commands.has(command.command)) {
            names.emplace_back(command.name);
        }
    }
    return names;
}

std::vector<std::string> every_match(const std::string& text, const std::regex& pattern) {
    std::vector<std::string> found;
    for (auto match = std::sregex_iterator(text.begin(), text.end(), pattern);
         match != std::sregex_iterator(); ++match) {
        found.push_back(match->str(1));
    }
    return found;
}

// Each documented option with the commands its entry names: the README's table
// (a row per option, its commands in the second column), or a man page's OPTIONS
// section (an entry per option, its commands on the line after `label`).
using Documented = std::map<std::string, std::vector<std::string>>;

Documented readme_options(const std::string& readme) {
    static const std::regex option(R"((--[a-z0-9-]+))");
    static const std::regex command(R"(`([a-z]+)`)");
    Documented documented;
    std::istringstream lines(readme);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("| `-")) {
            continue;
        }
        const auto second = line.find(" | ") + 3;
        const std::string commands = line.substr(second, line.find(" | ", second) - second);
        for (const std::string& name : every_match(line.substr(0, second), option)) {
            documented[name] = every_match(commands, command);
        }
    }
    return documented;
}

Documented man_page_options(std::string man, const std::string& section, const std::string& label) {
    static const std::regex option(R"((--[a-z0-9-]+))");
    static const std::regex command(R"(([a-z]+)[,.])");
    man = std::regex_replace(man, std::regex(R"(\\-)"), "-");
    man = man.substr(man.find(".SH " + section + "\n"));
    man = man.substr(0, man.find("\n.SH ", 1));
    Documented documented;
    for (std::size_t at = man.find("\n.TP\n"); at != std::string::npos;
         at = man.find("\n.TP\n", at + 1)) {
        const std::string entry = man.substr(at + 5, man.find("\n.TP\n", at + 1) - at - 5);
        const auto commands = entry.find("\n" + label + ": ");
        const std::string named =
            commands == std::string::npos
                ? std::string()
                : entry.substr(commands, entry.find('\n', commands + 1) - commands);
        for (const std::string& name : every_match(entry.substr(0, entry.find('\n')), option)) {
            documented[name] = every_match(named, command);
        }
    }
    return documented;
}

TEST(CliHelp, TheReadmeAndTheManPagesNameEachOptionsCommandsAsTheTable) {
    const std::filesystem::path top(VANTRO_SOURCE_DIR);
    const struct {
        const char* name;
        Documented options;
    } documents[] = {
        {"README.md", readme_options(testing::read_all(top / "README.md"))},
        {"vantro-cli.1.in",
         man_page_options(testing::read_all(top / "packaging/linux/vantro-cli.1.in"), "OPTIONS",
                          "Commands")},
        {"vantro-cli.pt_BR.1.in",
         man_page_options(testing::read_all(top / "packaging/linux/vantro-cli.pt_BR.1.in"),
                          "OPÇÕES", "Comandos")},
    };
    for (const auto& document : documents) {
        SCOPED_TRACE(document.name);
        for (const cli::OptionEntry& option : cli::option_table()) {
            const auto entry = document.options.find(option.name);
            ASSERT_NE(entry, document.options.end()) << option.name;
            EXPECT_EQ(entry->second, commands_taking(option)) << option.name;
        }
    }
}

}  // namespace
}  // namespace vantro
