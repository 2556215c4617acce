// SPDX-License-Identifier: MIT
#include "hex/carrega_hex.h"

#include <algorithm>
#include <functional>

#include "hex/bounded_line_reader.h"
#include "hex/field_reader.h"
#include "hex/hex_file_source.h"
#include "hex/hex_gate.h"
#include "hex/hex_record.h"
#include "i18n/texts.h"
#include "platform/printable_path.h"

namespace vantro::hex {
namespace {

std::string invalid_line(int line, std::string_view reason) {
    return tr_args("Arquivo HEX inválido: linha %1: %2", {std::to_string(line), reason});
}

// The line of the first record after the end record, or 0. Blank lines and other
// text there were always ignored without a word.
int first_record_after_end(BoundedLineReader& reader) {
    std::string line;
    for (;;) {
        switch (reader.next(line)) {
            case BoundedLineReader::Next::Line:
                if (const auto start = line.find_first_not_of(" \t\r");
                    start != std::string::npos && line[start] == ':') {
                    return reader.line_number();
                }
                continue;
            case BoundedLineReader::Next::TooLong:
            case BoundedLineReader::Next::End:
            case BoundedLineReader::Next::ReadError:
                return 0;
        }
    }
}

// Feeds the file's lines to the gate up to its end record. Returns the empty text
// when the gate took the whole file, otherwise the message for the user.
// `read_failure` says why a read failed.
std::string check_file(const BoundedLineReader::ReadSome& read_some,
                       const std::function<std::string()>& read_failure, HexGate& gate,
                       const std::string& path, int& ignored_from_line) {
    BoundedLineReader reader(read_some, kMaxRecordLine);
    std::string line;
    for (;;) {
        switch (reader.next(line)) {
            case BoundedLineReader::Next::Line:
                switch (gate.take(line)) {
                    case HexGate::Verdict::Continue:
                        continue;
                    case HexGate::Verdict::Ended:
                        ignored_from_line = first_record_after_end(reader);
                        return {};
                    case HexGate::Verdict::Refused:
                        return invalid_line(reader.line_number(), gate.reason());
                }
                break;
            case BoundedLineReader::Next::End:
                return tr(
                    "Arquivo HEX inválido: falta o registro de fim (:00000001FF); "
                    "o arquivo parece incompleto");
            case BoundedLineReader::Next::TooLong:
                return invalid_line(
                    reader.line_number(),
                    tr_args("linha mais longa que qualquer registro (mais de %1 caracteres)",
                            {std::to_string(kMaxRecordLine)}));
            case BoundedLineReader::Next::ReadError:
                return tr_args("Não foi possível ler o arquivo HEX \"%1\": %2",
                               {platform::printable_path(path), read_failure()});
        }
    }
}

LoadResult refused(LoadResult result, std::string message) {
    result.status = LoadStatus::Refused;
    result.message = std::move(message);
    return result;
}

// Checks what `read_some` gives and stores its records in the table.
LoadResult load(LineTable& table, LoadResult result, const BoundedLineReader::ReadSome& read_some,
                const std::function<std::string()>& read_failure) {
    HexGate gate;
    std::string failure =
        check_file(read_some, read_failure, gate, result.path, result.ignored_from_line);
    if (!failure.empty()) {
        return refused(std::move(result), std::move(failure));
    }
    // The checked records are taken from the text as any HEX text is: field by
    // field, each less its checksum.
    read_fields(gate.records_text(), [&table](std::string_view field) {
        table.at(table.total_linhas) = record_of_field(field);
        ++table.total_linhas;
    });
    result.status = LoadStatus::Loaded;
    result.records = table.total_linhas - 1;
    result.image = gate.take_image();
    return result;
}

}  // namespace

LoadResult carrega_hex(LineTable& table, const std::string& path) {
    table.clear_entries();
    LoadResult result;
    result.path = path;
    if (result.path.empty()) {
        return result;
    }
    table.total_linhas = 1;
    std::string reason;
    std::optional<HexFileSource> source = HexFileSource::open(result.path, reason);
    if (!source) {
        return refused(std::move(result), tr_args("Não foi possível abrir o arquivo HEX \"%1\": %2",
                                                  {platform::printable_path(result.path), reason}));
    }
    return load(
        table, std::move(result),
        [&source](char* buffer, std::size_t size) { return source->read_some(buffer, size); },
        [&source] { return source->reason(); });
}

LoadResult carrega_hex_text(LineTable& table, const std::string& path, std::string_view text) {
    table.clear_entries();
    table.total_linhas = 1;
    LoadResult result;
    result.path = path;
    return load(
        table, std::move(result),
        [&text](char* buffer, std::size_t size) {
            const std::size_t count = std::min(size, text.size());
            std::copy_n(text.data(), count, buffer);
            text.remove_prefix(count);
            return static_cast<std::ptrdiff_t>(count);
        },
        [] { return std::string(); });
}

std::vector<std::string> load_warnings(const LoadResult& result) {
    std::vector<std::string> warnings;
    if (result.ignored_from_line > 0) {
        warnings.push_back(
            tr_args("Aviso: os registros a partir da linha %1 vêm depois do registro de fim e "
                    "são ignorados.",
                    {std::to_string(result.ignored_from_line)}));
    }
    if (result.image.data_bytes() == 0) {
        warnings.push_back(tr("Aviso: o arquivo HEX não contém dados."));
    }
    return warnings;
}

int data_reports_for(int records) {
    return records / 3 + 1;
}

}  // namespace vantro::hex
