// SPDX-License-Identifier: MIT
#pragma once
// Packs three line-table entries into one FLASH or EEPROM data report.

#include "hex/line_table.h"
#include "hex/memory.h"
#include "hex/record_labels.h"
#include "protocol/report.h"

namespace vantro::hex {

// Fills buffer_saida[0..63] with the report for entries i, i+1, i+2 (index 64 is
// left alone), shows the records in the labels and pads the entries in place.
void monta_pacote(Memory mode, int i, LineTable& table, protocol::Report& buffer_saida,
                  RecordLabels& labels);

// What packs a run's data reports: monta_pacote, or a stand-in a test injects.
using Packer = void (*)(Memory, int, LineTable&, protocol::Report&, RecordLabels&);

}  // namespace vantro::hex
