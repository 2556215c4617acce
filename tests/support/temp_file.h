#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace vantro::testing {

// A file in the test's temporary folder, removed when the object goes.
class TempFile {
public:
    TempFile(std::string_view name, std::string_view contents)
        : path_(std::filesystem::temp_directory_path() /
                (std::string("vantro-") + std::to_string(::getpid()) + "-" + std::string(name))) {
        std::ofstream out(path_, std::ios::binary);
        out << contents;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

}  // namespace vantro::testing
