// SPDX-License-Identifier: MIT
// Any bytes as a HEX file: loading must refuse them with a message or store
// records whose every packed report agrees with the checked image.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz/fuzz_expect.h"
#include "fuzz/memory_file.h"
#include "fuzz/packed_report_check.h"
#include "hex/carrega_hex.h"
#include "hex/monta_pacote.h"
#include "tests/support/ignored_record_labels.h"

namespace vantro::fuzz {
namespace {

// Packs every report of a run in one mode and checks each against the records.
void pack_run(hex::Memory mode, hex::LineTable& table, const hex::LoadResult& loaded) {
    testing::IgnoredRecordLabels labels;
    protocol::Report report{};
    for (int i = 1; i <= table.total_linhas; i += 3) {
        const RecordsOfReport records = records_of_report(table, i, loaded.records);
        report.fill(0xA5);
        report[64] = 0x5A;
        hex::monta_pacote(mode, i, table, report, labels);
        expect(report[64] == 0x5A);
        check_packed_report(mode, records, loaded.image, report);
    }
}

}  // namespace
}  // namespace vantro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantro;
    static fuzz::MemoryFile file("fuzz.hex");
    static hex::LineTable table;
    file.write({data, size});
    const hex::LoadResult loaded = hex::carrega_hex(table, file.path());
    if (loaded.status != hex::LoadStatus::Loaded) {
        fuzz::expect(loaded.status == hex::LoadStatus::Refused);
        fuzz::expect(!loaded.message.empty());
        fuzz::expect(table.total_linhas == 1 && table.entry(1).empty());
        return 0;
    }
    fuzz::check_loaded_table(table, loaded);
    // Packing lengthens the entries in place, up to two past the first entry of
    // the last report; the second mode starts from the entries as loaded.
    const int last = std::min(table.total_linhas + 2, hex::kTableCapacity);
    const std::vector<std::string> as_loaded(table.linhas.begin() + 1,
                                             table.linhas.begin() + 1 + last);
    fuzz::pack_run(hex::Memory::Flash, table, loaded);
    std::copy(as_loaded.begin(), as_loaded.end(), table.linhas.begin() + 1);
    fuzz::pack_run(hex::Memory::Eeprom, table, loaded);
    return 0;
}
