// SPDX-License-Identifier: MIT
#pragma once
// Both programs' command lines speak the run's language: --lang is found before
// the parser runs, so its help texts and CLI11's own messages come translated.

#include <string>
#include <vector>

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

namespace vantro::connection {

// Installs the language the arguments ask for (the last --lang), wherever it stands.
void use_language_of(const std::vector<std::string>& arguments);

// Call on the top-level parser before adding options and commands: its help's
// labels, its help and version flags and the option group speak the language.
void speak_the_language(CLI::App& app, const std::string& version);

// The --lang option: pt or en, checked.
void add_language_option(CLI::App& app, std::string& lang);

// A parse error in the run's language, with the hint to --help: for stderr.
std::string parse_error_text(const CLI::ParseError& error);

}  // namespace vantro::connection
