// SPDX-License-Identifier: MIT
#pragma once
// A generated Intel HEX file in the temporary folder, removed when the object goes.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace vantro::bench {

// 16-byte data records from address 0 covering image_bytes (at most 64 KiB), then
// the end record.
class ScratchHexFile {
public:
    ScratchHexFile(std::string_view name, std::size_t image_bytes);
    ~ScratchHexFile();
    ScratchHexFile(const ScratchHexFile&) = delete;
    ScratchHexFile& operator=(const ScratchHexFile&) = delete;

    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

// The image of a whole 8051 code space: 4096 records, 1366 data reports.
inline constexpr std::size_t kFullImageBytes = 64 * 1024;

}  // namespace vantro::bench
