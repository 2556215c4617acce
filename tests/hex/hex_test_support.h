// SPDX-License-Identifier: MIT
#pragma once
// Helpers shared by the HEX module's tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "hex/record_labels.h"

namespace vantro::hex::test {

class RecordingLabels : public RecordLabels {
public:
    void set_record_label(int index, std::string_view text) override {
        texts.at(static_cast<std::size_t>(index)) = std::string(text);
        ++calls;
    }
    std::array<std::string, 3> texts{"previous 0", "previous 1", "previous 2"};
    int calls = 0;
};

// A scratch directory of the running test case, made on first use. One per case:
// CTest runs the cases of a binary in parallel processes, and they reuse names.
inline std::filesystem::path scratch_dir() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "none";
    std::replace(name.begin(), name.end(), '/', '_');
    const std::filesystem::path dir = std::filesystem::path(VANTRO_TEST_TMP) / "hex_scratch" / name;
    std::filesystem::create_directories(dir);
    return dir;
}

inline std::string write_file(const std::string& name, std::string_view content) {
    const std::filesystem::path path = scratch_dir() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return path.string();
}

// The message for a file that cannot be opened, as the loader words it.
inline std::string open_refusal(const std::string& path, const std::string& reason) {
    return "Não foi possível abrir o arquivo HEX \"" + path + "\": " + reason;
}

// `body` (":" and the digits before the checksum) with its checksum appended;
// computed here independently of the code under test.
inline std::string with_checksum(std::string_view body) {
    unsigned sum = 0;
    for (std::size_t k = 1; k + 1 < body.size(); k += 2) {
        sum += static_cast<unsigned>(std::stoul(std::string(body.substr(k, 2)), nullptr, 16));
    }
    char checksum[3];
    std::snprintf(checksum, sizeof checksum, "%02X", (256 - sum % 256) % 256);
    return std::string(body) + checksum;
}

}  // namespace vantro::hex::test
