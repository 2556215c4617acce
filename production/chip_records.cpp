// SPDX-License-Identifier: MIT
#include "production/chip_records.h"

#include <filesystem>

#include "platform/utf8.h"

namespace vantro::production {

RunFacts run_facts(std::string operation, const std::string& hex_path, const hex::HexImage* image,
                   const std::optional<ops::Part>& part) {
    RunFacts facts;
    facts.operation = std::move(operation);
    if (!hex_path.empty()) {
        facts.hex_file =
            platform::utf8_from_path(std::filesystem::absolute(platform::path_from_utf8(hex_path)));
    }
    if (image) {
        facts.sha256 = image_sha256(*image);
    }
    if (part) {
        facts.part = std::string(part->name);
    }
    return facts;
}

ChipRecord chip_record(const RunFacts& run, const ChipFacts& chip) {
    ChipRecord record;
    record.time = chip.time;
    record.operation = run.operation;
    record.hex_file = run.hex_file;
    record.sha256 = run.sha256;
    record.part = run.part;
    record.programmer = chip.programmer;
    record.serial = chip.serial;
    record.outcome = ops::outcome_word(chip.outcome);
    record.exit_code = chip.exit_code;
    record.duration_ms = chip.took.count();
    if (!chip.message.empty()) {
        record.message = chip.message;
    }
    return record;
}

}  // namespace vantro::production
