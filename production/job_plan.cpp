// SPDX-License-Identifier: MIT
#include "production/job_plan.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <vector>

#include "hex/hex_file_source.h"
#include "i18n/texts.h"
#include "platform/input_file.h"
#include "platform/sha256.h"

namespace vantro::production {

namespace {

constexpr std::string_view kEndRecord = ":00000001";
constexpr std::size_t kRecordBytes = 16;  // a slot's data bytes

const char* memory_word(hex::Memory memory) {
    return memory == hex::Memory::Flash ? "flash" : "eeprom";
}

std::uint32_t memory_size(const ops::Part& part, hex::Memory memory) {
    return memory == hex::Memory::Flash ? part.flash_size : part.eeprom_size;
}

// The data record (less its checksum, as the table stores records) for bytes at address.
std::string data_record(std::uint32_t address, std::span<const std::uint8_t> bytes) {
    char head[10];
    std::snprintf(head, sizeof head, ":%02X%04X00", static_cast<unsigned>(bytes.size()),
                  static_cast<unsigned>(address));
    std::string record = head;
    for (const std::uint8_t byte : bytes) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        record += digits;
    }
    return record;
}

// The image with the serial's bytes added as records of their own, before the end
// record; nothing when the table has no room for them.
std::optional<ops::LoadedImage> with_serial(const std::optional<ops::LoadedImage>& base,
                                            std::uint32_t address,
                                            const std::vector<std::uint8_t>& bytes) {
    ops::LoadedImage image = base.value_or(ops::LoadedImage{});
    if (!base) {
        image.load.status = hex::LoadStatus::Loaded;
        image.table.total_linhas = 1;
    }
    hex::LineTable& table = image.table;
    std::vector<std::string> records;
    for (std::size_t offset = 0; offset < bytes.size(); offset += kRecordBytes) {
        const std::size_t count = std::min(kRecordBytes, bytes.size() - offset);
        records.push_back(data_record(address + static_cast<std::uint32_t>(offset),
                                      std::span(bytes).subspan(offset, count)));
    }
    const int stored = table.total_linhas - 1;
    if (stored + static_cast<int>(records.size()) > hex::kTableCapacity) {
        return std::nullopt;
    }
    const bool ends = stored > 0 && table.entry(stored).starts_with(kEndRecord);
    const std::string end = ends ? table.entry(stored) : std::string();
    int next = ends ? stored : stored + 1;
    for (const std::string& record : records) {
        table.at(next++) = record;
    }
    if (ends) {
        table.at(next++) = end;
    }
    table.total_linhas = next;
    image.load.records = next - 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        image.load.image.set(address + static_cast<std::uint32_t>(i), bytes[i]);
    }
    return image;
}

}  // namespace

std::variant<JobPlan, std::string> JobPlan::make(JobFile job,
                                                 std::optional<std::uint64_t> next_serial,
                                                 const firmware::FirmwareModel& model) {
    JobPlan plan(std::move(job));
    const JobFile& file = plan.job_;
    for (const hex::Memory memory : {hex::Memory::Flash, hex::Memory::Eeprom}) {
        const std::optional<JobImage>& entry =
            memory == hex::Memory::Flash ? file.flash : file.eeprom;
        if (!entry) {
            continue;
        }
        const std::string section = memory_word(memory);
        // Read once: the bytes hashed are the bytes checked and loaded.
        platform::InputFailure failure;
        const auto bytes = platform::read_input_file(entry->file, hex::kMaxHexFileSize, failure);
        if (!bytes) {
            return file.problem(section + ".file",
                                tr_args("Não foi possível ler o arquivo \"%1\": %2",
                                        {entry->file, hex::HexFileSource::refusal_text(failure)}));
        }
        const std::string sha256 = platform::sha256_hex(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
        if (sha256 != entry->sha256) {
            return file.problem(section + ".sha256",
                                tr_args("o arquivo \"%1\" tem SHA-256 %2, não o fixado no job",
                                        {entry->file, sha256}));
        }
        ops::LoadedImage image;
        image.load = hex::carrega_hex_text(image.table, entry->file, *bytes);
        if (image.load.status != hex::LoadStatus::Loaded) {
            return file.problem(section + ".file", image.load.message);
        }
        if (const auto problem = ops::fit_problem(file.part, memory, image.load.image)) {
            return file.problem(section + ".file", *problem);
        }
        (memory == hex::Memory::Flash ? plan.flash_ : plan.eeprom_) = std::move(image);
    }
    if (file.serial) {
        const JobSerial& serial = *file.serial;
        const std::uint32_t size = memory_size(file.part, serial.memory);
        if (size == 0) {
            return file.problem("serial.memory", tr_args("o %1 não tem EEPROM", {file.part.name}));
        }
        const std::uint32_t end = serial.address + serial.format.size();
        if (end > size) {
            return file.problem(
                "serial.address",
                tr_args("o número de série (%1 bytes em %2) passa do fim da memória de %3 do %4",
                        {std::to_string(serial.format.size()), hex::address_text(serial.address),
                         ops::size_text(size), file.part.name}));
        }
        const auto& base = serial.memory == hex::Memory::Flash ? plan.flash_ : plan.eeprom_;
        for (std::uint32_t address = serial.address; base && address < end; ++address) {
            if (base->load.image.has(address)) {
                return file.problem("serial.address",
                                    tr_args("a imagem já tem dados no endereço %1, onde o número "
                                            "de série seria escrito",
                                            {hex::address_text(address)}));
            }
        }
        if (!next_serial || numbers_left(serial.format, *next_serial, serial.step) == 0) {
            return file.problem("serial.format",
                                serials_ran_out_text(serial.format, next_serial.value_or(0)));
        }
    }
    if (!plan.has_flash_step() && !plan.has_eeprom_step() && !file.lock_bits) {
        return file.path + ": " +
               tr("o job não grava nada: dê [flash], [eeprom], [lock] ou [serial]");
    }
    // The rehearsal of every step, with the first chip's serial in place.
    const auto first = plan.images_for(next_serial, model);
    if (const auto* refusal = std::get_if<std::string>(&first)) {
        return file.path + ": " + *refusal;
    }
    return plan;
}

std::variant<ChipImages, std::string> JobPlan::images_for(
    std::optional<std::uint64_t> serial, const firmware::FirmwareModel& model) const {
    std::shared_ptr<const ops::PreparedImage> images[2];
    for (const hex::Memory memory : {hex::Memory::Flash, hex::Memory::Eeprom}) {
        const auto& base = memory == hex::Memory::Flash ? flash_ : eeprom_;
        std::optional<ops::LoadedImage> loaded = base;
        if (serial && serial_in(memory)) {
            const auto bytes = serial_bytes(job_.serial->format, *serial);
            if (!bytes) {
                return tr_args("o número de série %1 não cabe no formato",
                               {std::to_string(*serial)});
            }
            loaded = with_serial(base, job_.serial->address, *bytes);
            if (!loaded) {
                return tr("a tabela de registros não tem lugar para o número de série");
            }
        }
        if (!loaded) {
            continue;
        }
        auto& image = images[memory == hex::Memory::Flash ? 0 : 1];
        image = ops::prepare(std::move(*loaded), {memory, job_.part, model});
        if (image->refusal) {
            return *image->refusal;
        }
    }
    return ChipImages{images[0], images[1]};
}

}  // namespace vantro::production
