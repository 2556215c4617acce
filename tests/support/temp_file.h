// SPDX-License-Identifier: MIT
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/utf8.h"

namespace vantro::testing {

// A file in the test's temporary folder, removed when the object goes.
class TempFile {
public:
    TempFile(std::string_view name, std::string_view contents)
        : path_(std::filesystem::temp_directory_path() /
                platform::path_from_utf8("vantro-" + std::to_string(::getpid()) + "-" +
                                         std::string(name))) {
        std::ofstream out(path_, std::ios::binary);
        out << contents;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // In UTF-8, whatever the system's own encoding of names.
    std::string path() const {
        const std::u8string name = path_.u8string();
        return std::string(name.begin(), name.end());
    }

private:
    std::filesystem::path path_;
};

}  // namespace vantro::testing
