// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <set>

#include "cli/command_suggestion.h"
#include "cli/command_table.h"
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

// The name of a command's HEX file in its usage line and messages.
std::string file_argument() {
    return tr("ARQUIVO");
}

// Every option of the command line, each bound to its value: added to the top level
// and to each command, so that it may stand before or after the command; the
// command table then takes away from each parser what its command does not take.
void add_every_option(CLI::App& app, CliOptions& options,
                      connection::ConnectionOptionParser& connection) {
    connection.add_to(app);
    app.add_option("--dump-flash", options.dump_flash,
                   tr("Salva a FLASH emulada em ARQUIVO (com --emulator); com --repeat e no job, "
                      "cada chip após o anterior"))
        ->type_name(file_argument());
    app.add_option("--dump-eeprom", options.dump_eeprom,
                   tr("Salva a EEPROM emulada em ARQUIVO (com --emulator); com --repeat e no job, "
                      "cada chip após o anterior"))
        ->type_name(file_argument());
    app.add_option("--trace", options.trace,
                   tr("Escreve cada relatório de saída em ARQUIVO, um por linha; com --repeat e no "
                      "job, cada chip após o anterior"))
        ->type_name(file_argument());
    app.add_flag("-q,--quiet", options.quiet,
                 tr("Sem textos de estado nem progresso; as falhas ainda aparecem"));
    app.add_flag("--all", options.all,
                 tr("Grava em todos os gravadores presentes, ao mesmo tempo"));
    app.add_flag("--repeat", options.repeat,
                 tr_args("Chip após chip: após cada gravação, Enter grava de novo; q ou %1 encerra",
                         {platform::end_of_input_key()}));
    app.add_option("--log", options.log,
                   tr("Acrescenta a ARQUIVO uma linha JSON por gravador e gravação, quando cada "
                      "uma termina"))
        ->type_name(file_argument());
    app.add_flag("--lb1", options.lock_bits.lb1, tr("Liga o lock bit 1"));
    app.add_flag("--lb2", options.lock_bits.lb2, tr("Liga o lock bit 2"));
    app.add_flag("--lb3", options.lock_bits.lb3, tr("Liga o lock bit 3"));
    app.add_flag("--check", options.check_only,
                 tr("Confere o arquivo do job, suas imagens e cada passo; não grava nada"));
    app.add_option("--operator", options.operator_name,
                   tr("Quem opera a linha: vai no registro de cada chip"))
        ->type_name(tr("NOME"));
    app.add_option("--serial", options.records_serial,
                   tr("Mostra todo o registro do chip de número N"))
        ->type_name("N");
    app.add_option("--format", options.records_format,
                   tr("Exporta cada tentativa, uma por linha: csv ou jsonl"))
        ->type_name("csv|jsonl");
}

// A command's file, the one argument that is no option.
void add_file_argument(CLI::App& sub, Command command, CliOptions& options) {
    switch (command) {
        case Command::Flash:
        case Command::Eeprom:
        case Command::Check:
            sub.add_option(file_argument(), options.hex_file, tr("Arquivo Intel HEX"))
                ->required()
                ->type_name("");
            break;
        case Command::Job:
            sub.add_option(file_argument(), options.job_file, tr("O arquivo do job (TOML)"))
                ->required()
                ->type_name("");
            break;
        case Command::Records:
            sub.add_option(tr("ORIGEM"), options.records_source,
                           tr("O arquivo SQLite ou o endereço postgresql:// da base de registros"))
                ->required()
                ->type_name("");
            break;
        case Command::List:
        case Command::Erase:
        case Command::Lock:
        case Command::Parts:
            break;
    }
}

// The name an option is typed with, "--repeat"; empty for a command's file.
std::string long_name(const CLI::Option& option) {
    return option.get_lnames().empty() ? std::string() : "--" + option.get_lnames().front();
}

// What one parser's command takes: `help` (no command) takes what every command takes.
bool takes(std::optional<Command> command, std::string_view option) {
    return command ? takes_option(*command, option) : every_command_takes(option);
}

// Takes out of a command's parser the options the table does not give it.
void keep_only_taken(CLI::App& sub, std::optional<Command> command) {
    for (CLI::Option* option : sub.get_options()) {
        const std::string name = long_name(*option);
        if (option != sub.get_help_ptr() && !name.empty() && !takes(command, name)) {
            sub.remove_option(option);
        }
    }
}

// The top level's help lists the options every command takes; each command's help
// lists the rest. (Hiding them in CLI11's empty group would also take their names
// out of CLI11's messages.)
class TopLevelFormatter : public CLI::Formatter {
public:
    TopLevelFormatter(const CLI::Formatter& labelled, const CLI::App& app)
        : CLI::Formatter(labelled) {
        for (const CLI::Option* option : app.get_options()) {
            const std::string name = long_name(*option);
            if (option != app.get_help_ptr() && name != "--version" && !every_command_takes(name)) {
                unlisted_.insert(option);
            }
        }
    }
    std::string make_option(const CLI::Option* option, bool is_positional) const override {
        return unlisted_.count(option) > 0 ? std::string()
                                           : CLI::Formatter::make_option(option, is_positional);
    }

private:
    std::set<const CLI::Option*> unlisted_;
};

std::vector<std::string> command_names() {
    std::vector<std::string> names;
    for (const CommandEntry& entry : command_table()) {
        names.emplace_back(entry.name);
    }
    return names;
}

// "flsh: did you mean flash?" for a word that names nothing known; `none` when no
// name is near enough to be what was meant.
std::string suggestion(const std::string& word, const std::vector<std::string>& names,
                       const std::string& none) {
    const auto nearest = nearest_name(word, names);
    return (nearest ? tr_args("%1: você quis dizer %2?", {word, *nearest}) : none) + "\n" +
           tr("Execute com --help para mais informações.");
}

// A word in the command's place that names no command.
std::string unknown_command_message(const std::string& word) {
    return suggestion(word, command_names(), tr_args("%1: não existe esse comando", {word}));
}

// An option given to a command that does not take it.
std::string not_taken_message(const std::string& command, const std::string& option) {
    return tr_args("%1: %2 não se aplica a este comando; vantro-cli help %1 lista as suas opções.",
                   {command, option});
}

// An option no parser knew: a command's own that another command takes, or a typing
// slip of one the parser has ("--emulatr: did you mean --emulator?"), or nothing known.
std::string unknown_option_message(const CLI::App& parser, const std::string& word) {
    const std::string option = word.substr(0, word.find('='));
    const bool in_table =
        std::any_of(option_table().begin(), option_table().end(),
                    [&](const OptionEntry& entry) { return entry.name == option; });
    if (in_table && parser.get_parent() != nullptr) {
        return not_taken_message(parser.get_name(), option);
    }
    std::vector<std::string> names;
    for (const CLI::Option* known : parser.get_options()) {
        if (const std::string name = long_name(*known); !name.empty()) {
            names.push_back(name);
        }
    }
    return suggestion(option, names, tr_args("%1: não existe essa opção", {option}));
}

// The message for the first word no parser took, when it is an option, or a word
// where the command belongs; nothing when CLI11's own message says it better.
std::optional<std::string> leftover_message(const CLI::App& app) {
    const std::vector<CLI::App*> parsed = app.get_subcommands();
    // The command's leftovers first: it stands after what the top level took.
    const std::initializer_list<const CLI::App*> parsers{parsed.empty() ? nullptr : parsed.front(),
                                                         &app};
    for (const CLI::App* parser : parsers) {
        for (const std::string& word : parser ? parser->remaining() : std::vector<std::string>()) {
            if (word.size() > 1 && word.front() == '-' && word != "--") {
                return unknown_option_message(*parser, word);
            }
        }
    }
    if (parsed.empty()) {
        for (const std::string& word : app.remaining()) {
            if (!word.empty() && word.front() != '-') {
                return unknown_command_message(word);
            }
        }
    }
    return std::nullopt;
}

// `help` and `help COMMAND`: the same text as --help and COMMAND --help.
int print_help(const CLI::App& app, const std::string& topic) {
    if (topic.empty()) {
        platform::write_text(stdout, app.get_formatter()->make_help(&app, app.get_name(),
                                                                    CLI::AppFormatMode::Normal));
        return ops::kExitSuccess;
    }
    for (const CommandEntry& entry : command_table()) {
        if (topic == entry.name) {
            platform::write_text(stdout, app.get_subcommand(entry.name)->help(app.get_name()));
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
    add_every_option(app, options, connection);

    // Each parser with its command; `help`'s has none.
    std::vector<std::pair<CLI::App*, std::optional<Command>>> parsers;
    for (const CommandEntry& entry : command_table()) {
        CLI::App* sub = app.add_subcommand(entry.name, tr(entry.description));
        // A command's own help flag would otherwise stand under CLI11's English heading.
        sub->get_help_ptr()->group(tr("Opções"));
        add_file_argument(*sub, entry.command, options);
        add_every_option(*sub, options, connection);
        keep_only_taken(*sub, entry.command);
        parsers.emplace_back(sub, entry.command);
    }
    std::string help_topic;
    CLI::App* help =
        app.add_subcommand("help", tr("Mostra a ajuda do vantro-cli ou de um comando"));
    help->add_option(tr("COMANDO"), help_topic, tr("O comando a explicar"));
    add_every_option(*help, options, connection);
    keep_only_taken(*help, std::nullopt);
    parsers.emplace_back(help, std::nullopt);
    // After the commands, which keep the footer and the formatter they were given.
    app.footer(tr("As opções de cada comando: vantro-cli help COMANDO.") + "\n\n" +
               exit_code_help());
    app.formatter(std::make_shared<TopLevelFormatter>(
        *std::static_pointer_cast<CLI::Formatter>(app.get_formatter()), app));

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // Through write_text, so that help and errors show their accents in a console.
        if (error.get_exit_code() != 0) {
            const auto message = leftover_message(app);
            platform::write_text(stderr,
                                 message ? *message + "\n" : connection::parse_error_text(error));
            return {std::nullopt, ops::kExitUsage};
        }
        std::ostringstream out;
        std::ostringstream err;
        app.exit(error, out, err);
        platform::write_text(stdout, out.str());
        platform::write_text(stderr, err.str());
        return {std::nullopt, ops::kExitSuccess};
    }
    // An option before the command was taken by the top level: the table judges it here.
    for (const auto& [sub, command] : parsers) {
        if (!sub->parsed()) {
            continue;
        }
        for (const CLI::Option* option : app.get_options()) {
            if (option->count() > 0 && !takes(command, long_name(*option))) {
                platform::write_text(stderr,
                                     not_taken_message(sub->get_name(), long_name(*option)) + "\n");
                return {std::nullopt, ops::kExitUsage};
            }
        }
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
    if (!options.records_format.empty() && options.records_format != "csv" &&
        options.records_format != "jsonl") {
        platform::write_text(
            stderr,
            tr_args("--format: \"%1\" não é csv nem jsonl", {options.records_format}) + "\n");
        return {std::nullopt, ops::kExitUsage};
    }
    if (options.records_serial && !options.records_format.empty()) {
        platform::write_text(stderr, tr("--serial mostra um chip; --format exporta todos: dê um "
                                        "dos dois") +
                                         "\n");
        return {std::nullopt, ops::kExitUsage};
    }
    if (options.all && !options.device_paths.empty()) {
        platform::write_text(
            stderr, tr("--all toma todos os gravadores e não pode ser usado com --device") + "\n");
        return {std::nullopt, ops::kExitUsage};
    }
    for (const auto& [sub, command] : parsers) {
        if (sub->parsed() && command) {
            options.command = *command;
        }
    }
    // An empty FILE would read as no file chosen: nothing done, nothing said.
    const bool takes_hex_file = options.command == Command::Flash ||
                                options.command == Command::Eeprom ||
                                options.command == Command::Check;
    if (takes_hex_file && options.hex_file.empty()) {
        platform::write_text(stderr, tr("O nome do arquivo HEX está vazio.") + "\n");
        return {std::nullopt, ops::kExitUsage};
    }
    return {options, ops::kExitSuccess};
}

}  // namespace vantro::cli
