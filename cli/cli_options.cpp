#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/exit_codes.h"

namespace vantro::cli {

namespace {

constexpr const char* kExitCodeHelp =
    "Exit codes:\n"
    "  0  success\n"
    "  1  the programmer refused a data report or the lock bits\n"
    "     (with --emulator: or the emulated memory does not match the image)\n"
    "  2  usage error, or a refused file\n"
    "  3  no programmer, a time-out, the programmer removed, or a write failure\n";

}  // namespace

ParseResult parse_command_line(int argc, char** argv) {
    CliOptions options;
    CLI::App app{"vantro-cli: erase, program and lock 8051 chips through the Vantro programmer"};
    app.footer(kExitCodeHelp);
    app.set_version_flag("--version", std::string("vantro-cli ") + VANTRO_VERSION);
    app.require_subcommand(1);

    ConnectionOptionParser connection(app, options);
    CLI::Option* const emulator_flag = connection.emulator_flag();
    app.add_option("--dump-flash", options.dump_flash, "Save the emulated FLASH to FILE")
        ->needs(emulator_flag);
    app.add_option("--dump-eeprom", options.dump_eeprom, "Save the emulated EEPROM to FILE")
        ->needs(emulator_flag);
    app.add_option("--trace", options.trace, "Write every output report to FILE, one per line");
    app.add_flag("-q,--quiet", options.quiet, "No status texts or progress; errors still shown");

    auto* list = app.add_subcommand("list", "List the programmers present");
    auto* erase = app.add_subcommand("erase", "Erase the chip");
    auto* flash = app.add_subcommand("flash", "Write a HEX image into FLASH");
    flash->add_option("FILE", options.hex_file, "Intel HEX file")->required();
    auto* eeprom = app.add_subcommand("eeprom", "Write a HEX image into EEPROM");
    eeprom->add_option("FILE", options.hex_file, "Intel HEX file")->required();
    auto* lock = app.add_subcommand("lock", "Write the lock bits");
    lock->add_flag("--lb1", options.lock_bits.lb1, "Set lock bit 1");
    lock->add_flag("--lb2", options.lock_bits.lb2, "Set lock bit 2");
    lock->add_flag("--lb3", options.lock_bits.lb3, "Set lock bit 3");
    auto* check = app.add_subcommand("check", "Check a HEX file without a programmer");
    check->add_option("FILE", options.hex_file, "Intel HEX file")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return {std::nullopt, code == 0 ? kExitSuccess : kExitUsage};
    }

    if (const auto message = connection.finish()) {
        std::cerr << *message << '\n';
        return {std::nullopt, kExitUsage};
    }
    const std::pair<CLI::App*, Command> commands[] = {
        {list, Command::List},     {erase, Command::Erase}, {flash, Command::Flash},
        {eeprom, Command::Eeprom}, {lock, Command::Lock},   {check, Command::Check},
    };
    for (const auto& [sub, command] : commands) {
        if (sub->parsed()) {
            options.command = command;
        }
    }
    return {options, kExitSuccess};
}

}  // namespace vantro::cli
