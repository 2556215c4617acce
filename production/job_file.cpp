// SPDX-License-Identifier: MIT
#include "production/job_file.h"

#include <toml++/toml.h>
#include <algorithm>
#include <set>
#include <span>

#include "i18n/system_error.h"
#include "i18n/texts.h"
#include "platform/input_file.h"
#include "platform/sha256.h"
#include "platform/utf8.h"
#include "production/records.h"

namespace vantro::production {

namespace {

const std::set<std::string> kTopKeys{"name",   "part", "station", "log",      "sockets", "flash",
                                     "eeprom", "lock", "serial",  "operator", "records"};
// A job file is a page of keys; anything larger is not one (or is /dev/zero).
constexpr std::uint64_t kMaxJobFileSize = 1024 * 1024;
const std::set<std::string> kImageKeys{"file", "sha256"};
const std::set<std::string> kLockKeys{"bits"};
const std::set<std::string> kSerialKeys{"memory", "address", "format", "first", "step", "counter"};

// A problem found while reading: the key and its line are known where it is found.
struct Refusal {
    std::string text;
};

class Reader {
public:
    Reader(JobFile& job, std::filesystem::path folder) : job_(job), folder_(std::move(folder)) {}

    [[noreturn]] void refuse(const std::string& key, const toml::node* node,
                             const std::string& what) const {
        const int line = node ? static_cast<int>(node->source().begin.line) : 0;
        throw Refusal{line > 0 ? job_.path + ":" + std::to_string(line) + ": " + key + ": " + what
                               : job_.path + ": " + key + ": " + what};
    }

    // Every key of the table must be one of `known`: a misspelt key is not ignored.
    void only_known(const toml::table& table, const std::string& prefix,
                    const std::set<std::string>& known) const {
        for (const auto& [key, node] : table) {
            const std::string name(key.str());
            if (!known.contains(name)) {
                refuse(prefix + name, &node, tr("chave desconhecida"));
            }
        }
    }

    const toml::node* find(const toml::table& table, const std::string& prefix,
                           const std::string& key) {
        const toml::node* node = table.get(key);
        if (node) {
            job_.lines[prefix + key] = static_cast<int>(node->source().begin.line);
        }
        return node;
    }

    std::optional<std::string> text(const toml::table& table, const std::string& prefix,
                                    const std::string& key, bool required) {
        const toml::node* node = find(table, prefix, key);
        if (!node) {
            if (required) {
                refuse(prefix + key, &table, tr("chave obrigatória ausente"));
            }
            return std::nullopt;
        }
        const auto value = node->value<std::string>();
        if (!value || value->empty()) {
            refuse(prefix + key, node, tr("deve ser um texto não vazio"));
        }
        return value;
    }

    std::optional<std::int64_t> integer(const toml::table& table, const std::string& prefix,
                                        const std::string& key, std::int64_t low,
                                        std::int64_t high) {
        const toml::node* node = find(table, prefix, key);
        if (!node) {
            return std::nullopt;
        }
        const toml::value<std::int64_t>* value = node->as_integer();
        if (!value || value->get() < low || value->get() > high) {
            refuse(prefix + key, node,
                   tr_args("deve ser um número inteiro de %1 a %2",
                           {std::to_string(low), std::to_string(high)}));
        }
        return value->get();
    }

    std::string path(const std::string& relative) const {
        return platform::utf8_from_path(folder_ / platform::path_from_utf8(relative));
    }

    const toml::table* table(const toml::table& top, const std::string& key,
                             const std::set<std::string>& known) {
        const toml::node* node = find(top, "", key);
        if (!node) {
            return nullptr;
        }
        if (!node->is_table()) {
            refuse(key, node, tr("deve ser uma tabela"));
        }
        only_known(*node->as_table(), key + ".", known);
        return node->as_table();
    }

    std::optional<JobImage> image(const toml::table& top, const std::string& key) {
        const toml::table* entry = table(top, key, kImageKeys);
        if (!entry) {
            return std::nullopt;
        }
        JobImage image{path(*text(*entry, key + ".", "file", true)),
                       *text(*entry, key + ".", "sha256", true)};
        std::transform(image.sha256.begin(), image.sha256.end(), image.sha256.begin(),
                       [](char c) { return c >= 'A' && c <= 'F' ? static_cast<char>(c + 32) : c; });
        if (image.sha256.size() != 64 ||
            image.sha256.find_first_not_of("0123456789abcdef") != std::string::npos) {
            refuse(key + ".sha256", entry->get("sha256"), tr("deve ter 64 dígitos hexadecimais"));
        }
        return image;
    }

    std::optional<std::array<bool, 3>> lock_bits(const toml::table& top) {
        const toml::table* entry = table(top, "lock", kLockKeys);
        if (!entry) {
            return std::nullopt;
        }
        const toml::node* node = find(*entry, "lock.", "bits");
        const toml::array* bits = node ? node->as_array() : nullptr;
        if (!bits) {
            refuse("lock.bits", node ? node : entry, tr("deve ser uma lista de 1, 2 e 3"));
        }
        if (bits->empty()) {
            // [lock] with no bit would write nothing: a forgotten list, not a choice.
            refuse("lock.bits", node, tr("a lista está vazia: dê 1, 2 ou 3"));
        }
        std::array<bool, 3> chosen{};
        for (const toml::node& bit : *bits) {
            const auto number = bit.value<std::int64_t>();
            if (!bit.is_integer() || !number || *number < 1 || *number > 3) {
                refuse("lock.bits", &bit, tr("deve ser uma lista de 1, 2 e 3"));
            }
            bool& taken = chosen[static_cast<std::size_t>(*number - 1)];
            if (taken) {
                refuse("lock.bits", &bit,
                       tr_args("o bit %1 aparece duas vezes", {std::to_string(*number)}));
            }
            taken = true;
        }
        return chosen;
    }

    std::optional<JobSerial> serial(const toml::table& top) {
        const toml::table* entry = table(top, "serial", kSerialKeys);
        if (!entry) {
            return std::nullopt;
        }
        JobSerial serial;
        const std::string memory = *text(*entry, "serial.", "memory", true);
        if (memory != "eeprom" && memory != "flash") {
            refuse("serial.memory", entry->get("memory"), tr("deve ser \"eeprom\" ou \"flash\""));
        }
        serial.memory = memory == "flash" ? hex::Memory::Flash : hex::Memory::Eeprom;
        const auto address = integer(*entry, "serial.", "address", 0, 0xFFFF);
        if (!address) {
            refuse("serial.address", entry, tr("chave obrigatória ausente"));
        }
        serial.address = static_cast<std::uint32_t>(*address);
        const std::string format = *text(*entry, "serial.", "format", true);
        const auto parsed = parse_serial_format(format);
        if (!parsed) {
            refuse("serial.format", entry->get("format"),
                   tr("deve ser u16le, u16be, u32le, u32be, bcdN (N par, até 16) ou asciiN "
                      "(N até 19)"));
        }
        serial.format = *parsed;
        const auto first = integer(*entry, "serial.", "first", 0, INT64_MAX);
        if (!first) {
            refuse("serial.first", entry, tr("chave obrigatória ausente"));
        }
        serial.first = static_cast<std::uint64_t>(*first);
        serial.step =
            static_cast<std::uint64_t>(integer(*entry, "serial.", "step", 1, 1000000).value_or(1));
        if (const auto counter = text(*entry, "serial.", "counter", false)) {
            serial.counter = path(*counter);
        }
        return serial;
    }

    std::vector<std::string> sockets(const toml::table& top) {
        const toml::node* node = find(top, "", "sockets");
        if (!node) {
            return {};
        }
        const toml::array* list = node->as_array();
        if (!list || list->empty()) {
            refuse("sockets", node, tr("deve ser uma lista de números de série de gravadores"));
        }
        std::vector<std::string> serials;
        for (const toml::node& item : *list) {
            const auto serial = item.value<std::string>();
            if (!item.is_string() || !serial || serial->empty()) {
                refuse("sockets", &item,
                       tr("deve ser uma lista de números de série de gravadores"));
            }
            if (std::find(serials.begin(), serials.end(), *serial) != serials.end()) {
                refuse("sockets", &item, tr_args("o gravador %1 aparece duas vezes", {*serial}));
            }
            serials.push_back(*serial);
        }
        return serials;
    }

    // A server's URL as it is; a file relative to the job file. Without the key,
    // beside the counter a job had before records (its links followed, so that
    // jobs sharing a counter share the records), else beside the job file.
    std::string records(const toml::table& top, const std::optional<JobSerial>& serial) {
        if (const auto records = text(top, "", "records", false)) {
            return is_records_url(*records) ? *records : path(*records);
        }
        std::error_code error;
        if (serial && !serial->counter.empty()) {
            const auto counter =
                std::filesystem::weakly_canonical(platform::path_from_utf8(serial->counter), error);
            return (error ? serial->counter : platform::utf8_from_path(counter)) + ".sqlite";
        }
        std::filesystem::path beside = platform::path_from_utf8(job_.path);
        return platform::utf8_from_path(beside.replace_extension(".sqlite"));
    }

private:
    JobFile& job_;
    std::filesystem::path folder_;
};

}  // namespace

std::string JobFile::problem(const std::string& key, const std::string& what) const {
    const auto line = lines.find(key);
    return path + (line == lines.end() ? "" : ":" + std::to_string(line->second)) + ": " + key +
           ": " + what;
}

JobFileRead read_job_file(const std::string& path, const std::string& computer_name) {
    JobFile job;
    job.path = path;
    const std::filesystem::path file = platform::path_from_utf8(path);
    platform::InputFailure failure;
    const auto content = platform::read_input_file(path, kMaxJobFileSize, failure);
    if (!content) {
        return {std::nullopt,
                tr_args("Não foi possível ler o arquivo \"%1\": %2",
                        {path, input_failure_text(failure, tr("arquivo grande demais para um "
                                                              "job (mais de 1 MiB)"))})};
    }
    // Hashed as parsed: the records name the very text that ran.
    job.sha256 = platform::sha256_hex(
        std::span(reinterpret_cast<const std::uint8_t*>(content->data()), content->size()));
    try {
        const toml::table top = toml::parse(*content, path);
        Reader reader(job, file.parent_path());
        reader.only_known(top, "", kTopKeys);
        job.name = *reader.text(top, "", "name", true);
        const std::string part = *reader.text(top, "", "part", true);
        const auto found = ops::find_part(part);
        if (!found) {
            reader.refuse("part", top.get("part"),
                          tr_args("componente desconhecido: \"%1\" (conhecidos: %2)",
                                  {part, listed_names(ops::known_parts())}));
        }
        job.part = *found;
        job.station = reader.text(top, "", "station", false).value_or(computer_name);
        job.log = reader.path(*reader.text(top, "", "log", true));
        job.operator_name = reader.text(top, "", "operator", false);
        job.sockets = reader.sockets(top);
        job.flash = reader.image(top, "flash");
        job.eeprom = reader.image(top, "eeprom");
        job.lock_bits = reader.lock_bits(top);
        job.serial = reader.serial(top);
        job.records = reader.records(top, job.serial);
    } catch (const toml::parse_error& error) {
        // toml++ explains in English only: the run's language says where.
        return {std::nullopt, path + ":" + std::to_string(error.source().begin.line) + ": " +
                                  tr_args("erro de sintaxe TOML na coluna %1",
                                          {std::to_string(error.source().begin.column)})};
    } catch (const Refusal& refusal) {
        return {std::nullopt, refusal.text};
    }
    return {std::move(job), {}};
}

}  // namespace vantro::production
