// SPDX-License-Identifier: MIT
#include "hex/hex_gate.h"

#include <algorithm>
#include <cstdio>

#include "hex/line_table.h"
#include "i18n/texts.h"

namespace vantro::hex {
namespace {

constexpr std::size_t kBytesPerStoredRecord = 16;
constexpr std::string_view kEndRecordLine = ":00000001FF";

enum RecordType : std::uint8_t {
    kData = 0x00,
    kEnd = 0x01,
    kSegmentBase = 0x02,
    kSegmentStart = 0x03,
    kLinearBase = 0x04,
    kLinearStart = 0x05,
};

std::string_view trim_blanks(std::string_view line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!line.empty() && blank(line.front())) {
        line.remove_prefix(1);
    }
    while (!line.empty() && blank(line.back())) {
        line.remove_suffix(1);
    }
    return line;
}

std::string hex_text(std::uint64_t value, int digits) {
    char text[20];
    std::snprintf(text, sizeof text, "%0*llX", digits, static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

HexGate::Verdict HexGate::take(std::string_view line) {
    line = trim_blanks(line);
    if (line.empty()) {
        return Verdict::Continue;
    }
    std::string problem = parse_record(line, record_);
    if (!problem.empty()) {
        return refuse(std::move(problem));
    }
    switch (record_.type) {
        case kData:
            return take_data(record_);
        case kEnd:
            return take_end();
        case kSegmentBase:
        case kLinearBase:
            return take_base(record_);
        case kSegmentStart:
        case kLinearStart:
            // A start address means nothing to the programmer.
            return Verdict::Continue;
        default:
            return refuse(
                tr_args("tipo de registro desconhecido (%1)", {hex_text(record_.type, 2)}));
    }
}

HexGate::Verdict HexGate::take_data(const HexRecord& record) {
    const std::uint64_t start = std::uint64_t{base_} + record.address;
    if (start + record.size > kCodeSpace) {
        return refuse(tr_args("dados em 0x%1 passam do limite de 64 KiB da memória de código",
                              {hex_text(start, 4)}));
    }
    const auto first = static_cast<std::uint32_t>(start);
    for (std::size_t k = 0; k < record.size; ++k) {
        const auto address = first + static_cast<std::uint32_t>(k);
        if (!image_.set(address, record.data[k])) {
            return refuse(tr_args("o byte do endereço 0x%1 já foi dado por outro registro",
                                  {hex_text(address, 4)}));
        }
    }
    // Split so that every byte fits the 16 data bytes of a report slot.
    for (std::size_t offset = 0; offset < record.size; offset += kBytesPerStoredRecord) {
        const std::size_t count = std::min(kBytesPerStoredRecord, record.size - offset);
        const auto address = static_cast<std::uint16_t>(first + offset);
        if (!keep(format_data_record(address, record.bytes().subspan(offset, count)))) {
            return Verdict::Refused;
        }
    }
    return Verdict::Continue;
}

HexGate::Verdict HexGate::take_end() {
    return keep(kEndRecordLine) ? Verdict::Ended : Verdict::Refused;
}

HexGate::Verdict HexGate::take_base(const HexRecord& record) {
    if (record.size != 2) {
        return refuse(tr("registro de endereço base sem exatamente 2 bytes de dados"));
    }
    const std::uint32_t value = std::uint32_t{record.data[0]} << 8 | record.data[1];
    base_ = record.type == kSegmentBase ? value * 16 : value << 16;
    return Verdict::Continue;
}

HexGate::Verdict HexGate::refuse(std::string reason) {
    reason_ = std::move(reason);
    return Verdict::Refused;
}

bool HexGate::keep(std::string_view line) {
    if (records_ == kTableCapacity) {
        refuse(tr_args("mais registros do que a tabela comporta (%1)",
                       {std::to_string(kTableCapacity)}));
        return false;
    }
    records_text_.append(line);
    records_text_.push_back('\n');
    ++records_;
    return true;
}

}  // namespace vantro::hex
