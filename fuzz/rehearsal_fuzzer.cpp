// SPDX-License-Identifier: MIT
// A firmware model and the data records of a HEX file, from any bytes: in both
// memories, the rehearsal's verdict must be the emulated programmer's, replayed
// the same reports with the same model: "confere" exactly when its memory then
// holds the image and, elsewhere, what it held before. The first byte picks the
// model, so the fuzzer reaches every setting (a whole matrix per input would run
// a handful of inputs a second).

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "emulator/emulated_programmer.h"
#include "fuzz/fuzz_expect.h"
#include "fuzz/memory_file.h"
#include "ops/prepare.h"

namespace vantro::fuzz {
namespace {

// Each record: address (two bytes), then a length byte (0..31) and that many data
// bytes; what is left over after the last whole record is dropped.
std::string hex_file_of(std::span<const std::uint8_t> bytes) {
    std::string text;
    std::size_t at = 0;
    while (at + 3 <= bytes.size()) {
        const std::size_t length = bytes[at + 2] & 31u;
        if (at + 3 + length > bytes.size()) {
            break;
        }
        std::vector<std::uint8_t> record{static_cast<std::uint8_t>(length), bytes[at],
                                         bytes[at + 1], 0x00};
        record.insert(record.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at + 3),
                      bytes.begin() + static_cast<std::ptrdiff_t>(at + 3 + length));
        std::uint8_t sum = 0;
        text += ':';
        for (const std::uint8_t byte : record) {
            char digits[3];
            std::snprintf(digits, sizeof digits, "%02X", byte);
            text += digits;
            sum = static_cast<std::uint8_t>(sum + byte);
        }
        char check[4];
        std::snprintf(check, sizeof check, "%02X\n", static_cast<std::uint8_t>(-sum) & 0xFF);
        text += check;
        at += 3 + length;
    }
    return text + ":00000001FF\n";
}

protocol::Report command(std::uint8_t code) {
    protocol::Report report{};
    report[1] = code;
    return report;
}

// The run as a programmer receives it; whether its memory then matches, as the
// CLI judges it after a run.
bool replay_matches(const ops::PreparedImage& prepared, const firmware::FirmwareModel& model) {
    emulator::EmulatedProgrammer programmer({.model = model});
    const bool flash = prepared.mode == hex::Memory::Flash;
    const std::vector<std::uint8_t> before =
        flash ? std::vector<std::uint8_t>{} : programmer.eeprom();
    if (flash) {
        programmer.receive(command(protocol::kCmdErase));
    }
    programmer.receive(command(protocol::kCmdBegin));
    for (const protocol::Report& report : prepared.packed->reports()) {
        programmer.receive(report);
    }
    programmer.receive(command(protocol::kCmdEnd));
    const auto& memory = flash ? programmer.flash() : programmer.eeprom();
    return !prepared.load.image.first_difference(memory, before);
}

}  // namespace
}  // namespace vantro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantro;
    static fuzz::MemoryFile file("rehearsal.hex");
    if (size == 0) {
        return 0;
    }
    const std::uint8_t pick = data[0];
    constexpr std::uint32_t kSizes[] = {65536, 2048, 256, 65536};
    constexpr std::uint8_t kFills[] = {0xFF, 0x00, 0xA5, 0xFF};
    const firmware::FirmwareModel model{.flash_size = kSizes[pick & 3],
                                        .eeprom_size = kSizes[(pick >> 2) & 3],
                                        .wrap = (pick & 0x10) == 0,
                                        .eeprom_ff_write = (pick & 0x20) != 0,
                                        .eeprom_fill = kFills[pick >> 6]};
    const std::string text = fuzz::hex_file_of({data + 1, size - 1});
    file.write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    const ops::LoadedImage loaded = ops::load_image(file.path());
    if (loaded.load.status != hex::LoadStatus::Loaded) {
        return 0;  // overlapping records: refused before any rehearsal
    }
    for (const hex::Memory mode : {hex::Memory::Flash, hex::Memory::Eeprom}) {
        const auto prepared = ops::prepare(loaded, {.mode = mode, .model = model});
        fuzz::expect(prepared->packed.has_value());
        if (mode == hex::Memory::Eeprom && model.eeprom_ff_write) {
            // Refused whatever the image: the end record's slot would be written.
            fuzz::expect(prepared->refusal.has_value());
            continue;
        }
        fuzz::expect(prepared->refusal.has_value() != fuzz::replay_matches(*prepared, model));
    }
    return 0;
}
