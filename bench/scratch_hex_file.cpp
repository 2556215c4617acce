// SPDX-License-Identifier: MIT
#include "bench/scratch_hex_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace vantro::bench {
namespace {

constexpr std::size_t kRecordBytes = 16;

void write_record(std::ofstream& out, std::size_t address, std::size_t count) {
    char line[64];
    int at = std::snprintf(line, sizeof line, ":%02zX%04zX00", count, address);
    unsigned sum = static_cast<unsigned>(count + (address >> 8) + (address & 0xFF));
    for (std::size_t n = 0; n < count; ++n) {
        const unsigned byte = static_cast<unsigned>((address + n) * 7 % 251);
        at += std::snprintf(line + at, sizeof line - static_cast<std::size_t>(at), "%02X", byte);
        sum += byte;
    }
    std::snprintf(line + at, sizeof line - static_cast<std::size_t>(at), "%02X\n",
                  (256 - sum % 256) % 256);
    out << line;
}

}  // namespace

ScratchHexFile::ScratchHexFile(std::string_view name, std::size_t image_bytes)
    : path_(std::filesystem::temp_directory_path() /
            ("vantro-bench-" + std::to_string(::getpid()) + "-" + std::string(name) + ".hex")) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    for (std::size_t address = 0; address < image_bytes; address += kRecordBytes) {
        write_record(out, address, std::min(kRecordBytes, image_bytes - address));
    }
    out << ":00000001FF\n";
}

ScratchHexFile::~ScratchHexFile() {
    std::filesystem::remove(path_);
}

}  // namespace vantro::bench
