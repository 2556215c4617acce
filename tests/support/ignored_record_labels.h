// SPDX-License-Identifier: MIT
#pragma once
// Record labels nobody reads: what packing needs where no window or terminal
// takes part (benchmarks, fuzzing).

#include <string_view>

#include "hex/record_labels.h"

namespace vantro::testing {

class IgnoredRecordLabels : public hex::RecordLabels {
public:
    void set_record_label(int, std::string_view) override {}
};

}  // namespace vantro::testing
