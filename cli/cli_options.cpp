// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command_suggestion.h"
#include "connection/backend_kind.h"
#include "connection/command_line_texts.h"
#include "i18n/texts.h"
#include "ops/exit_codes.h"
#include "platform/console.h"

namespace vantro::cli {

namespace {

std::string exit_code_help() {
    return tr(
        "Códigos de saída:\n"
        "  0  sucesso\n"
        "  1  o gravador recusou um relatório de dados ou os lock bits\n"
        "     (com --emulator: ou a memória emulada não confere com a imagem)\n"
        "  2  erro de uso, arquivo recusado, gravação recusada antes de enviar algo (o\n"
        "     ensaio da gravação, ou --part), ou arquivo de saída que não pôde ser gravado\n"
        "  3  nenhum gravador, tempo esgotado, gravador desconectado ou falha de escrita\n"
        "  128+N  encerrado pelo sinal N (130 para Ctrl-C, 143 para SIGTERM, 129 para\n"
        "     SIGHUP); nada mais foi enviado, e a mensagem diz o que o chip contém\n");
}

struct CommandEntry {
    const char* name;
    const char* description;
    Command command;
};

constexpr CommandEntry kCommands[] = {
    {"list", "Lista os gravadores presentes", Command::List},
    {"erase", "Apaga o chip", Command::Erase},
    {"flash", "Grava uma imagem HEX na FLASH", Command::Flash},
    {"eeprom", "Grava uma imagem HEX na EEPROM", Command::Eeprom},
    {"lock", "Grava os lock bits", Command::Lock},
    {"check", "Confere um arquivo HEX sem gravador", Command::Check},
    {"parts", "Lista os componentes que --part aceita, com suas memórias", Command::Parts},
    {"job",
     "Executa um trabalho de produção: os chips que um arquivo TOML descreve, soquete a soquete",
     Command::Job},
};

// The name of a command's HEX file in its usage line and messages.
std::string file_argument() {
    return tr("ARQUIVO");
}

// Each command's own options, in the order they are added.
void add_lock_bit_flags(CLI::App& app, ops::LockBits& lock_bits) {
    app.add_flag("--lb1", lock_bits.lb1, tr("Liga o lock bit 1"));
    app.add_flag("--lb2", lock_bits.lb2, tr("Liga o lock bit 2"));
    app.add_flag("--lb3", lock_bits.lb3, tr("Liga o lock bit 3"));
}

// Every option that is not one command's own. It is added to the top level and to
// each command, so it may stand before or after the command and shows in the
// command's --help: a new option of this kind is added here and nowhere else.
void add_run_options(CLI::App& app, CliOptions& options,
                     connection::ConnectionOptionParser& connection) {
    connection.add_to(app);
    app.add_option("--dump-flash", options.dump_flash,
                   tr("Salva a FLASH emulada em ARQUIVO (com --emulator)"))
        ->type_name(file_argument());
    app.add_option("--dump-eeprom", options.dump_eeprom,
                   tr("Salva a EEPROM emulada em ARQUIVO (com --emulator)"))
        ->type_name(file_argument());
    app.add_option("--trace", options.trace,
                   tr("Escreve cada relatório de saída em ARQUIVO, um por linha"))
        ->type_name(file_argument());
    app.add_flag("-q,--quiet", options.quiet,
                 tr("Sem textos de estado nem progresso; as falhas ainda aparecem"));
    app.add_flag("--all", options.all,
                 tr("Grava em todos os gravadores presentes, ao mesmo tempo"));
    app.add_flag("--repeat", options.repeat,
                 tr_args("Chip após chip: após cada gravação, Enter grava de novo, q ou %1 para",
                         {platform::end_of_input_key()}));
    app.add_option(
           "--log", options.log,
           tr("Acrescenta a ARQUIVO uma linha JSON por gravador e gravação, ao fim de cada"))
        ->type_name(file_argument());
}

// The options of one command only.
void add_command_options(CLI::App& sub, Command command, CliOptions& options) {
    switch (command) {
        case Command::Flash:
        case Command::Eeprom:
        case Command::Check:
            sub.add_option(file_argument(), options.hex_file, tr("Arquivo Intel HEX"))
                ->required()
                ->type_name("");
            break;
        case Command::Lock:
            add_lock_bit_flags(sub, options.lock_bits);
            break;
        case Command::Job:
            sub.add_option(file_argument(), options.job_file, tr("O arquivo do job (TOML)"))
                ->required()
                ->type_name("");
            sub.add_flag("--check", options.check_only,
                         tr("Confere o arquivo do job, suas imagens e cada passo; não grava nada"));
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
    return (nearest ? tr_args("%1: você quis dizer %2?", {word, *nearest})
                    : tr_args("%1: não existe esse comando", {word})) +
           "\n" + tr("Execute com --help para mais informações.");
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
        return ops::kExitSuccess;
    }
    for (const CommandEntry& entry : kCommands) {
        if (topic == entry.name) {
            std::cout << app.get_subcommand(entry.name)->help(app.get_name());
            return ops::kExitSuccess;
        }
    }
    platform::write_text(stderr, unknown_command_message(topic) + "\n");
    return ops::kExitUsage;
}

}  // namespace

ParseResult parse_command_line(int argc, char** argv) {
    CliOptions options;
    connection::ConnectionOptionParser connection(options);
    CLI::App app{tr("vantro-cli: apaga, grava e protege chips 8051 pelo gravador Vantro"),
                 "vantro-cli"};
    connection::speak_the_language(app, std::string("vantro-cli ") + VANTRO_VERSION);
    app.footer(exit_code_help());
    app.require_subcommand(1);
    // On Windows CLI11 would take "/path/file.hex" for an option "/path/file.hex".
    app.allow_windows_style_options(false);
    add_run_options(app, options, connection);
    // A command's own flags may stand before it too; the help shows them with lock.
    add_lock_bit_flags(app, options.lock_bits);
    for (CLI::Option* flag : app.get_options()) {
        if (flag->get_name().rfind("--lb", 0) == 0) {
            flag->group("");
        }
    }

    std::vector<std::pair<CLI::App*, Command>> commands;
    for (const CommandEntry& entry : kCommands) {
        CLI::App* sub = app.add_subcommand(entry.name, tr(entry.description));
        // A command's own help flag would otherwise stand under CLI11's English heading.
        sub->get_help_ptr()->group(tr("Opções"));
        add_command_options(*sub, entry.command, options);
        add_run_options(*sub, options, connection);
        commands.emplace_back(sub, entry.command);
    }
    std::string help_topic;
    CLI::App* help =
        app.add_subcommand("help", tr("Mostra a ajuda do vantro-cli ou de um comando"));
    help->add_option(tr("COMANDO"), help_topic, tr("O comando a explicar"));

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const auto word = error.get_exit_code() != 0 ? stray_word(app) : std::nullopt;
        if (word) {
            platform::write_text(stderr, unknown_command_message(*word) + "\n");
            return {std::nullopt, ops::kExitUsage};
        }
        // Through write_text, so that help and errors show their accents in a console.
        if (error.get_exit_code() != 0) {
            platform::write_text(stderr, connection::parse_error_text(error));
            return {std::nullopt, ops::kExitUsage};
        }
        std::ostringstream out;
        std::ostringstream err;
        app.exit(error, out, err);
        platform::write_text(stdout, out.str());
        platform::write_text(stderr, err.str());
        return {std::nullopt, ops::kExitSuccess};
    }
    if (help->parsed()) {
        return {std::nullopt, print_help(app, help_topic)};
    }

    if (const auto message = connection.finish()) {
        platform::write_text(stderr, *message + "\n");
        return {std::nullopt, ops::kExitUsage};
    }
    if ((options.dump_flash || options.dump_eeprom) &&
        !connection::backend_kind(options).memory_visible) {
        platform::write_text(stderr, tr("--dump-flash e --dump-eeprom requerem --emulator") + "\n");
        return {std::nullopt, ops::kExitUsage};
    }
    for (const auto& [sub, command] : commands) {
        if (sub->parsed() && command == Command::Job &&
            (options.all || options.repeat || options.log || options.part)) {
            platform::write_text(
                stderr, tr("job: o arquivo do job fixa o chip, os gravadores e o log; --part, "
                           "--all, --repeat e --log não se aplicam") +
                            "\n");
            return {std::nullopt, ops::kExitUsage};
        }
    }
    if (options.all && !options.device_paths.empty()) {
        platform::write_text(
            stderr, tr("--all toma todos os gravadores e não pode ser usado com --device") + "\n");
        return {std::nullopt, ops::kExitUsage};
    }
    const bool lock_bits = options.lock_bits.lb1 || options.lock_bits.lb2 || options.lock_bits.lb3;
    for (const auto& [sub, command] : commands) {
        if (sub->parsed()) {
            options.command = command;
            if (lock_bits && command != Command::Lock) {
                platform::write_text(stderr, tr("--lb1, --lb2 e --lb3 são opções de lock") + "\n");
                return {std::nullopt, ops::kExitUsage};
            }
            // An empty FILE would read as no file chosen: nothing done, nothing said.
            const bool takes_hex_file = command == Command::Flash || command == Command::Eeprom ||
                                        command == Command::Check;
            if (takes_hex_file && options.hex_file.empty()) {
                platform::write_text(stderr, tr("O nome do arquivo HEX está vazio.") + "\n");
                return {std::nullopt, ops::kExitUsage};
            }
        }
    }
    return {options, ops::kExitSuccess};
}

}  // namespace vantro::cli
