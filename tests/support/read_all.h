// SPDX-License-Identifier: MIT
#pragma once
// A file's whole contents, as text or as bytes; empty when it cannot be read.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vantro::testing {

inline std::string read_all(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path) {
    const std::string text = read_all(path);
    return {text.begin(), text.end()};
}

}  // namespace vantro::testing
