// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command_suggestion.h"
#include "cli/exit_codes.h"
#include "connection/backend_kind.h"
#include "i18n/texts.h"
#include "platform/console.h"

namespace vantro::cli {

namespace {

constexpr const char* kExitCodeHelp =
    "Exit codes:\n"
    "  0  success\n"
    "  1  the programmer refused a data report or the lock bits\n"
    "     (with --emulator: or the emulated memory does not match the image)\n"
    "  2  usage error, a refused file, a run refused before anything was sent (the\n"
    "     rehearsal of the run, or --part), or an output file that could not be written\n"
    "  3  no programmer, a time-out, the programmer removed, or a write failure\n"
    "  128+N  ended by signal N (130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP); nothing\n"
    "     more was sent, and the message says what the chip holds\n";

struct CommandEntry {
    const char* name;
    const char* description;
    Command command;
};

constexpr CommandEntry kCommands[] = {
    {"list", "List the programmers present", Command::List},
    {"erase", "Erase the chip", Command::Erase},
    {"flash", "Write a HEX image into FLASH", Command::Flash},
    {"eeprom", "Write a HEX image into EEPROM", Command::Eeprom},
    {"lock", "Write the lock bits", Command::Lock},
    {"check", "Check a HEX file without a programmer", Command::Check},
    {"parts", "List the parts --part takes, with their memories", Command::Parts},
    {"job", "Run a production job: the chips a TOML job file describes, socket by socket",
     Command::Job},
};

// Every option that is not one command's own. It is added to the top level and to
// each command, so it may stand before or after the command and shows in the
// command's --help: a new option of this kind is added here and nowhere else.
void add_run_options(CLI::App& app, CliOptions& options,
                     connection::ConnectionOptionParser& connection) {
    connection.add_to(app);
    app.add_option("--dump-flash", options.dump_flash,
                   "Save the emulated FLASH to FILE (with --emulator)")
        ->type_name("FILE");
    app.add_option("--dump-eeprom", options.dump_eeprom,
                   "Save the emulated EEPROM to FILE (with --emulator)")
        ->type_name("FILE");
    app.add_option("--trace", options.trace, "Write every output report to FILE, one per line")
        ->type_name("FILE");
    app.add_flag("-q,--quiet", options.quiet, "No status texts or progress; failures still shown");
    app.add_flag("--all", options.all, "Run on every programmer present, all at once");
    app.add_flag("--repeat", options.repeat,
                 "Chip after chip: after each run, Enter runs again, q or " +
                     std::string(platform::end_of_input_key()) + " stops");
    app.add_option("--log", options.log,
                   "Append one JSON line per programmer and run to FILE, as each ends")
        ->type_name("FILE");
}

// The options of one command only.
void add_command_options(CLI::App& sub, Command command, CliOptions& options) {
    switch (command) {
        case Command::Flash:
        case Command::Eeprom:
        case Command::Check:
            sub.add_option("FILE", options.hex_file, "Intel HEX file")->required()->type_name("");
            break;
        case Command::Lock:
            sub.add_flag("--lb1", options.lock_bits.lb1, "Set lock bit 1");
            sub.add_flag("--lb2", options.lock_bits.lb2, "Set lock bit 2");
            sub.add_flag("--lb3", options.lock_bits.lb3, "Set lock bit 3");
            break;
        case Command::Job:
            sub.add_option("FILE", options.job_file, "The job file (TOML)")
                ->required()
                ->type_name("");
            sub.add_flag("--check", options.check_only,
                         "Check the job file, its images and every step; program nothing");
            break;
        case Command::List:
        case Command::Erase:
        case Command::Parts:
            break;
    }
}

std::vector<std::string> command_names() {
    std::vector<std::string> names;
    for (const CommandEntry& entry : kCommands) {
        names.emplace_back(entry.name);
    }
    return names;
}

// "flsh: did you mean flash?" for a word in the command's place that names none.
std::string unknown_command_message(const std::string& word) {
    const auto nearest = nearest_command(word, command_names());
    return word + (nearest ? ": did you mean " + *nearest + "?" : ": no such command") +
           "\nRun with --help for more information.";
}

// The first word that stood where the command belongs, when no command was found.
std::optional<std::string> stray_word(const CLI::App& app) {
    if (!app.get_subcommands().empty()) {
        return std::nullopt;
    }
    for (const std::string& word : app.remaining()) {
        if (!word.empty() && word.front() != '-') {
            return word;
        }
    }
    return std::nullopt;
}

// `help` and `help COMMAND`: the same text as --help and COMMAND --help.
int print_help(const CLI::App& app, const std::string& topic) {
    if (topic.empty()) {
        std::cout << app.get_formatter()->make_help(&app, app.get_name(),
                                                    CLI::AppFormatMode::Normal);
        return kExitSuccess;
    }
    for (const CommandEntry& entry : kCommands) {
        if (topic == entry.name) {
            std::cout << app.get_subcommand(entry.name)->help(app.get_name());
            return kExitSuccess;
        }
    }
    platform::write_text(stderr, unknown_command_message(topic) + "\n");
    return kExitUsage;
}

}  // namespace

ParseResult parse_command_line(int argc, char** argv) {
    CliOptions options;
    connection::ConnectionOptionParser connection(options);
    CLI::App app{"vantro-cli: erase, program and lock 8051 chips through the Vantro programmer",
                 "vantro-cli"};
    app.footer(kExitCodeHelp);
    app.set_version_flag("--version", std::string("vantro-cli ") + VANTRO_VERSION);
    app.require_subcommand(1);
    // On Windows CLI11 would take "/path/file.hex" for an option "/path/file.hex".
    app.allow_windows_style_options(false);
    add_run_options(app, options, connection);

    std::vector<std::pair<CLI::App*, Command>> commands;
    for (const CommandEntry& entry : kCommands) {
        CLI::App* sub = app.add_subcommand(entry.name, entry.description);
        add_command_options(*sub, entry.command, options);
        add_run_options(*sub, options, connection);
        commands.emplace_back(sub, entry.command);
    }
    std::string help_topic;
    CLI::App* help = app.add_subcommand("help", "Show the help of vantro-cli or of one command");
    help->add_option("COMMAND", help_topic, "The command to explain");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const auto word = error.get_exit_code() != 0 ? stray_word(app) : std::nullopt;
        if (word) {
            platform::write_text(stderr, unknown_command_message(*word) + "\n");
            return {std::nullopt, kExitUsage};
        }
        // Through write_text, so that help and errors show their accents in a console.
        std::ostringstream out;
        std::ostringstream err;
        const int code = app.exit(error, out, err);
        platform::write_text(stdout, out.str());
        platform::write_text(stderr, err.str());
        return {std::nullopt, code == 0 ? kExitSuccess : kExitUsage};
    }
    if (help->parsed()) {
        return {std::nullopt, print_help(app, help_topic)};
    }

    if (const auto message = connection.finish()) {
        platform::write_text(stderr, *message + "\n");
        return {std::nullopt, kExitUsage};
    }
    if ((options.dump_flash || options.dump_eeprom) &&
        !connection::backend_kind(options).memory_visible) {
        platform::write_text(stderr, "--dump-flash and --dump-eeprom require --emulator\n");
        return {std::nullopt, kExitUsage};
    }
    for (const auto& [sub, command] : commands) {
        if (sub->parsed() && command == Command::Job &&
            (options.all || options.repeat || options.log || options.part)) {
            platform::write_text(stderr,
                                 "job: the job file fixes the part, the programmers, the chips and "
                                 "the log; --part, --all, --repeat and --log do not apply\n");
            return {std::nullopt, kExitUsage};
        }
    }
    if (options.all && !options.device_paths.empty()) {
        platform::write_text(stderr,
                             "--all takes every programmer and cannot be used with --device\n");
        return {std::nullopt, kExitUsage};
    }
    for (const auto& [sub, command] : commands) {
        if (sub->parsed()) {
            options.command = command;
            // An empty FILE would read as no file chosen: nothing done, nothing said.
            if (sub->get_option_no_throw("FILE") != nullptr && options.hex_file.empty()) {
                platform::write_text(stderr, tr("O nome do arquivo HEX está vazio.") + "\n");
                return {std::nullopt, kExitUsage};
            }
        }
    }
    return {options, kExitSuccess};
}

}  // namespace vantro::cli
