// SPDX-License-Identifier: MIT
#include "connection/connection_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "connection/command_line_texts.h"
#include "i18n/texts.h"

namespace vantro::connection {

namespace {

// Seconds written in full, within what a wait may last: "nan", "inf" and "1x" are
// refused before CLI11 converts them, since a NaN would pass any range check.
const CLI::Validator kWaitSeconds(
    [](std::string& text) -> std::string {
        double value = 0;
        const char* const end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        if (error != std::errc() || stop != end || !std::isfinite(value)) {
            return tr_args("\"%1\" não é um número", {text});
        }
        if (value < 0.1 || value > 3600.0) {
            return tr_args("%1 não está entre 0,1 e 3600 segundos", {text});
        }
        return {};
    },
    "");

}  // namespace

ConnectionOptionParser::ConnectionOptionParser(ConnectionOptions& options)
    : options_(options), timeout_seconds_(std::chrono::duration<double>(options.timeout).count()) {}

void ConnectionOptionParser::add_to(CLI::App& app) {
    app.add_flag("--emulator", options_.emulator,
                 tr("Usa o gravador emulado (sem precisar de hardware)"));
    app.add_option_function<std::vector<std::string>>(
           "--emulate",
           [this](const std::vector<std::string>& items) {
               emulate_.insert(emulate_.end(), items.begin(), items.end());
           },
           tr_args("Configuração do emulador CHAVE=VALOR (%1), CHAVE=VALOR@K só para o gravador "
                   "emulado K, ou programmers=N; pode ser repetida",
                   {listed_names(emulator::setting_keys())}))
        ->type_name(tr("CHAVE=VALOR"));
    app.add_option_function<std::vector<std::string>>(
           "--device",
           [this](const std::vector<std::string>& paths) {
               devices_.insert(devices_.end(), paths.begin(), paths.end());
           },
           tr("Usa o gravador neste caminho, ou serial:NÚMERO para o de número de série "
              "NÚMERO (veja list); repetida, usa vários ao mesmo tempo"))
        ->type_name(tr("CAMINHO"));
    app.add_option("--timeout", timeout_seconds_,
                   tr("Segundos de espera por cada resposta (padrão 10)"))
        ->type_name(tr("SEGUNDOS"))
        ->check(kWaitSeconds);
    add_language_option(app, options_.lang);
    app.add_option("--part", part_name_,
                   tr("O chip (veja o comando parts): imagens que não cabem nele são recusadas"))
        ->type_name(tr("NOME"));
}

std::optional<std::string> ConnectionOptionParser::finish() {
    if (!emulate_.empty() && !options_.emulator) {
        return tr("--emulate requer --emulator");
    }
    if (part_name_) {
        options_.part = ops::find_part(*part_name_);
        if (!options_.part) {
            return tr_args("Componente desconhecido: \"%1\" (conhecidos: %2)",
                           {*part_name_, listed_names(ops::known_parts())});
        }
        // First, so that --emulate may still change them. A part without EEPROM
        // keeps the default: its EEPROM runs are refused before anything is sent.
        std::vector<std::string> sizes{"flash=" + std::to_string(options_.part->flash_size)};
        if (options_.part->eeprom_size > 0) {
            sizes.push_back("eeprom=" + std::to_string(options_.part->eeprom_size));
        }
        emulate_.insert(emulate_.begin(), sizes.begin(), sizes.end());
    }
    for (const std::string& item : emulate_) {
        if (auto message = options_.emulator_setup.apply(item)) {
            return message;
        }
    }
    if (auto message = options_.emulator_setup.check()) {
        return message;
    }
    for (const std::string& path : devices_) {
        const int programmers = options_.emulator_setup.programmers();
        if (options_.emulator && !path.starts_with("serial:") &&
            emulator::emulated_number(path).value_or(programmers + 1) > programmers) {
            return tr_args("--device %1: os gravadores emulados são emulated:1 a emulated:%2",
                           {path, std::to_string(programmers)});
        }
        // The same programmer twice would be two runs on one chip at once.
        if (std::find(options_.device_paths.begin(), options_.device_paths.end(), path) ==
            options_.device_paths.end()) {
            options_.device_paths.push_back(path);
        }
    }
    if (!options_.device_paths.empty()) {
        options_.device_path = options_.device_paths.front();
    }
    options_.timeout = std::chrono::milliseconds(std::llround(timeout_seconds_ * 1000.0));
    return std::nullopt;
}

}  // namespace vantro::connection
