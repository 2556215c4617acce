// SPDX-License-Identifier: MIT
#pragma once
// What a loaded table and its packed reports must be, worked out independently of
// the packing code: a fuzzer aborts at the first difference.

#include <array>
#include <cstdint>

#include "hex/carrega_hex.h"
#include "hex/monta_pacote.h"
#include "protocol/report.h"

namespace vantro::fuzz {

enum class EntryKind { Data, End, Empty };

struct ReportEntry {
    EntryKind kind = EntryKind::Empty;
    std::uint16_t address = 0;
    std::uint8_t count = 0;  // data bytes of a data record
};

using RecordsOfReport = std::array<ReportEntry, 3>;

// Entries i, i+1 and i+2 of a table that was loaded with `records` records.
RecordsOfReport records_of_report(const hex::LineTable& table, int i, int records);

// Aborts unless the table holds the checked records: upper-case data records of
// at most 16 bytes that give exactly the image's bytes, then the end record.
void check_loaded_table(const hex::LineTable& table, const hex::LoadResult& loaded);

// Aborts unless the report is the one these entries must give in this mode.
void check_packed_report(hex::Memory mode, const RecordsOfReport& entries,
                         const hex::HexImage& image, const protocol::Report& report);

}  // namespace vantro::fuzz
