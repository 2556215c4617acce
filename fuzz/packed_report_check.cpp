// SPDX-License-Identifier: MIT
#include "fuzz/packed_report_check.h"

#include <string_view>

#include "fuzz/fuzz_expect.h"

namespace vantro::fuzz {
namespace {

constexpr std::string_view kEndEntry = ":00000001";
using protocol::kSlotDataBytes;
using protocol::kSlotSize;

int upper_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The byte at characters `at` and `at`+1 (from 0); aborts unless both are upper-case digits.
std::uint8_t byte_at(std::string_view text, std::size_t at) {
    expect(at + 1 < text.size());
    const int high = upper_digit(text[at]);
    const int low = upper_digit(text[at + 1]);
    expect(high >= 0 && low >= 0);
    return static_cast<std::uint8_t>(high * 16 + low);
}

ReportEntry data_entry(std::string_view text) {
    expect(text.size() >= 9 && text[0] == ':');
    ReportEntry entry;
    entry.kind = EntryKind::Data;
    entry.count = byte_at(text, 1);
    entry.address = static_cast<std::uint16_t>(byte_at(text, 3) << 8 | byte_at(text, 5));
    expect(byte_at(text, 7) == 0x00);
    expect(entry.count >= 1 && entry.count <= kSlotDataBytes);
    expect(text.size() == 9 + 2 * std::size_t{entry.count});
    return entry;
}

void expect_blank(const protocol::Report& report, std::size_t from, std::size_t count) {
    for (std::size_t k = from; k < from + count; ++k) {
        expect(report[k] == 0xFF);
    }
}

void expect_slot(const ReportEntry& entry, std::uint8_t marker, const hex::HexImage& image,
                 const protocol::Report& report, std::size_t base) {
    expect(report[base] == marker);
    if (entry.kind == EntryKind::Empty) {
        expect(report[base + 1] == 0xFF && report[base + 2] == 0xFF);
        expect_blank(report, base + 3, kSlotDataBytes);  // no byte from the pad
        return;
    }
    expect(report[base + 1] == entry.address >> 8 && report[base + 2] == (entry.address & 0xFF));
    for (std::size_t n = 0; n < kSlotDataBytes; ++n) {
        const std::uint8_t want = n < entry.count ? image.at(entry.address + n) : 0xFF;
        expect(report[base + 3 + n] == want);
    }
}

}  // namespace

RecordsOfReport records_of_report(const hex::LineTable& table, int i, int records) {
    RecordsOfReport entries;
    for (int k = 0; k < 3; ++k) {
        const int index = i + k;
        if (index > records) {
            continue;  // past the records: empty
        }
        const std::string& text = table.entry(index);
        if (text == kEndEntry) {
            entries[static_cast<std::size_t>(k)].kind = EntryKind::End;
        } else {
            entries[static_cast<std::size_t>(k)] = data_entry(text);
        }
    }
    return entries;
}

void check_loaded_table(const hex::LineTable& table, const hex::LoadResult& loaded) {
    expect(loaded.records >= 1 && loaded.records <= hex::kTableCapacity);
    expect(table.total_linhas == loaded.records + 1);
    expect(table.entry(loaded.records) == kEndEntry);
    expect(table.entry(loaded.records + 1).empty());
    std::size_t bytes = 0;
    for (int e = 1; e < loaded.records; ++e) {
        const ReportEntry entry = data_entry(table.entry(e));
        for (std::size_t n = 0; n < entry.count; ++n) {
            expect(loaded.image.has(entry.address + static_cast<std::uint32_t>(n)));
            expect(byte_at(table.entry(e), 9 + 2 * n) == loaded.image.at(entry.address + n));
        }
        bytes += entry.count;
    }
    expect(bytes == loaded.image.data_bytes());
}

void check_packed_report(hex::Memory mode, const RecordsOfReport& entries,
                         const hex::HexImage& image, const protocol::Report& report) {
    const bool flash = mode == hex::Memory::Flash;
    expect(report[0] == 0x00);
    expect(report[1] == (flash ? protocol::kCmdFlashData : protocol::kCmdEepromData));
    expect_blank(report, 59, 5);
    bool ended = false;
    for (std::size_t slot = 0; slot < entries.size(); ++slot) {
        const std::size_t base = protocol::slot_start(slot);
        const ReportEntry& entry = entries[slot];
        if (ended || (flash && entry.kind == EntryKind::End)) {
            expect_blank(report, base, kSlotSize);
            ended = true;
            continue;
        }
        const auto marker = static_cast<std::uint8_t>(flash ? 0 : slot + 1);
        if (entry.kind == EntryKind::End) {
            // EEPROM: the end record's slot carries its marker and address 0000.
            expect(report[base] == marker && report[base + 1] == 0 && report[base + 2] == 0);
            expect_blank(report, base + 3, kSlotDataBytes);
            ended = true;
            continue;
        }
        expect_slot(entry, marker, image, report, base);
    }
}

}  // namespace vantro::fuzz
