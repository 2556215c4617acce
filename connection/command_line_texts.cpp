// SPDX-License-Identifier: MIT
#include "connection/command_line_texts.h"

#include <CLI/CLI.hpp>

#include "i18n/catalogue.h"
#include "i18n/texts.h"

namespace vantro::connection {

namespace {

// The part of `text` between `before` and `after`, when it has that form.
std::optional<std::string> between(const std::string& text, const std::string& before,
                                   const std::string& after) {
    if (text.size() < before.size() + after.size() || text.compare(0, before.size(), before) != 0 ||
        text.compare(text.size() - after.size(), after.size(), after) != 0) {
        return std::nullopt;
    }
    return text.substr(before.size(), text.size() - before.size() - after.size());
}

// CLI11's message, as its error classes word it, in the run's language.
std::string translated(const CLI::ParseError& error) {
    const std::string what = error.what();
    if (what == "A subcommand is required") {
        return tr("Falta o comando.");
    }
    if (const auto name = between(what, "", " is required")) {
        return tr_args("Falta %1.", {*name});
    }
    for (const char* prefix : {"The following arguments were not expected: ",
                               "The following argument was not expected: "}) {
        if (const auto words = between(what, prefix, "")) {
            return tr_args("Argumento inesperado: %1", {*words});
        }
    }
    if (const auto colon = what.find(": ");
        colon != std::string::npos && between(what.substr(colon), ": ", " missing")) {
        return tr_args("%1: falta o valor.", {what.substr(0, colon)});
    }
    if (const auto rest = between(what, "Could not convert: ", "")) {
        return tr_args("Valor inválido: %1", {*rest});
    }
    // The validators' own texts come translated: "--timeout: ...".
    return what;
}

}  // namespace

void use_language_of(const std::vector<std::string>& arguments) {
    std::string lang;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--") {
            break;
        }
        if (arguments[i] == "--lang" && i + 1 < arguments.size()) {
            lang = arguments[i + 1];
        } else if (arguments[i].rfind("--lang=", 0) == 0) {
            lang = arguments[i].substr(7);
        }
    }
    i18n::use_language(lang);
}

void speak_the_language(CLI::App& app, const std::string& version) {
    // The group first: the flags take it, and the commands inherit both.
    app.option_defaults()->group(tr("Opções"));
    app.group(tr("Comandos"));
    app.set_help_flag("-h,--help", tr("Mostra esta ajuda e sai"));
    app.set_version_flag("--version", version, tr("Mostra a versão e sai"));
    const auto formatter = app.get_formatter();
    formatter->label("Usage", tr("Uso"));
    formatter->label("OPTIONS", tr("OPÇÕES"));
    formatter->label("SUBCOMMAND", tr("COMANDO"));
    formatter->label("SUBCOMMANDS", tr("COMANDOS"));
    formatter->label("Positionals", tr("Argumentos"));
    formatter->label("REQUIRED", tr("OBRIGATÓRIO"));
}

void add_language_option(CLI::App& app, std::string& lang) {
    static const CLI::Validator language(
        [](std::string& text) -> std::string {
            return text == "pt" || text == "en" ? std::string()
                                                : tr_args("\"%1\" não é pt nem en", {text});
        },
        "");
    app.add_option("--lang", lang, tr("Idioma dos textos: pt (padrão) ou en"))
        ->type_name(tr("IDIOMA"))
        ->check(language);
}

std::string parse_error_text(const CLI::ParseError& error) {
    return translated(error) + "\n" + tr("Execute com --help para mais informações.") + "\n";
}

}  // namespace vantro::connection
