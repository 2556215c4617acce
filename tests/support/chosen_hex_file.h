// SPDX-License-Identifier: MIT
#pragma once
// A HEX file chosen beforehand and record labels nobody reads: what loading and
// packing need where no window or terminal takes part (tests, benchmarks, fuzzing).

#include <string>
#include <string_view>

#include "hex/file_chooser.h"
#include "hex/record_labels.h"

namespace vantro::testing {

class ChosenHexFile : public hex::FileChooser {
public:
    explicit ChosenHexFile(std::string chosen) : path(std::move(chosen)) {}
    std::string choose_hex_file() override { return path; }
    std::string path;
};

class IgnoredRecordLabels : public hex::RecordLabels {
public:
    void set_record_label(int, std::string_view) override {}
};

}  // namespace vantro::testing
