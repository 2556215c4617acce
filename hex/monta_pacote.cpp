// SPDX-License-Identifier: MIT
#include "hex/monta_pacote.h"

#include <array>
#include <string>
#include <string_view>

#include "hex/converte_dec.h"

namespace vantro::hex {
namespace {

using protocol::kSlotCount;
using protocol::slot_start;

constexpr std::string_view kEndRecord = ":00000001";
constexpr std::size_t kFlashPad = 36;
constexpr std::size_t kEepromPad = 32;
constexpr std::size_t kLastPayloadIndex = 63;

bool is_end_record(std::string_view entry) {
    return entry.starts_with(kEndRecord);
}

// Characters `position` and `position`+1 (counted from 1), cut short at the end of the text.
std::string_view piece(std::string_view text, std::size_t position) {
    if (position > text.size()) {
        return {};
    }
    return text.substr(position - 1, 2);
}

void write_slot_head(protocol::Report& report, std::size_t slot, std::uint8_t marker,
                     std::string_view entry) {
    const std::size_t start = slot_start(slot);
    report[start] = marker;
    report[start + 1] = converte_dec(piece(entry, 4));
    report[start + 2] = converte_dec(piece(entry, 6));
}

// `entry` is padded already. An entry past the last stored record is empty, so it
// is nothing but its pad: its slot's data bytes stay 0xFF. Taken from the pad they
// would read FF..F0 00 00, bytes no image holds, and a programmer that wraps the
// slot address at 16 bits would write them at 0x000C.
void write_slot_data(protocol::Report& report, std::size_t slot, std::string_view entry,
                     std::size_t pad) {
    if (entry.size() == pad) {
        return;
    }
    const std::size_t start = slot_start(slot) + 3;
    for (std::size_t n = 0; n < protocol::kSlotDataBytes; ++n) {
        report[start + n] = converte_dec(piece(entry, 10 + 2 * n));
    }
}

using Entries = std::array<std::string, kSlotCount>;

// Shows the entries as they are, then lengthens them by the pad. Entries past the
// table's end read as empty and have no place to be written back to.
Entries show_and_pad(int i, LineTable& table, RecordLabels& labels, std::size_t pad) {
    Entries entries;
    for (std::size_t k = 0; k < kSlotCount; ++k) {
        const int index = i + static_cast<int>(k);
        entries[k] = table.entry(index);
        labels.set_record_label(static_cast<int>(k), entries[k]);
    }
    for (std::size_t k = 0; k < kSlotCount; ++k) {
        const int index = i + static_cast<int>(k);
        entries[k].append(pad, 'F');
        if (index >= 1 && index <= kTableCapacity) {
            table.at(index) = entries[k];
        }
    }
    return entries;
}

void start_report(protocol::Report& report, std::uint8_t command) {
    for (std::size_t k = 0; k <= kLastPayloadIndex; ++k) {
        report[k] = 0xFF;
    }
    report[0] = 0x00;
    report[1] = command;
}

void pack_flash(int i, LineTable& table, protocol::Report& report, RecordLabels& labels) {
    start_report(report, protocol::kCmdFlashData);
    if (is_end_record(table.entry(i))) {
        return;
    }
    const Entries entries = show_and_pad(i, table, labels, kFlashPad);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (is_end_record(entries[slot])) {
            return;
        }
        write_slot_head(report, slot, 0x00, entries[slot]);
        write_slot_data(report, slot, entries[slot], kFlashPad);
    }
}

void pack_eeprom(int i, LineTable& table, protocol::Report& report, RecordLabels& labels) {
    start_report(report, protocol::kCmdEepromData);
    const Entries entries = show_and_pad(i, table, labels, kEepromPad);
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        write_slot_head(report, slot, static_cast<std::uint8_t>(slot + 1), entries[slot]);
        if (is_end_record(entries[slot])) {
            return;
        }
        write_slot_data(report, slot, entries[slot], kEepromPad);
    }
}

}  // namespace

void monta_pacote(Memory mode, int i, LineTable& table, protocol::Report& buffer_saida,
                  RecordLabels& labels) {
    if (mode == Memory::Flash) {
        pack_flash(i, table, buffer_saida, labels);
    } else {
        pack_eeprom(i, table, buffer_saida, labels);
    }
}

}  // namespace vantro::hex
