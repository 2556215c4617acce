// SPDX-License-Identifier: MIT
#pragma once
// A FLASH or EEPROM run's data reports, packed once from the loaded table: what
// the rehearsal replays and what the run then sends, byte for byte, with the
// record labels each report showed when it was packed.

#include <cstdint>
#include <string>
#include <vector>

#include "hex/line_table.h"
#include "hex/monta_pacote.h"
#include "protocol/report.h"

namespace vantro::ops {

class PackedRun {
public:
    // Packs every data report of the run (i = 1, 4, 7, ... up to total_linhas),
    // padding the table's entries in place as the packing does.
    static PackedRun pack(hex::Memory mode, hex::LineTable& table,
                          hex::Packer packer = hex::monta_pacote);

    hex::Memory mode() const { return mode_; }
    const std::vector<protocol::Report>& reports() const { return reports_; }
    // Report k into buffer_saida (indices 0..63, as packing writes them), and its
    // records onto the labels, as packing showed them.
    void load_report(std::size_t k, protocol::Report& buffer_saida,
                     hex::RecordLabels& labels) const;

private:
    struct LabelCall {
        std::size_t report;
        int index;
        std::size_t offset;  // into label_texts_
        std::size_t size;
    };
    class LabelRecorder;

    hex::Memory mode_ = hex::Memory::Flash;
    std::vector<protocol::Report> reports_;
    // Every label text in one string: a run of 20 000 records shows 60 000 of them.
    std::string label_texts_;
    std::vector<LabelCall> label_calls_;  // in report order
};

}  // namespace vantro::ops
