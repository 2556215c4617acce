// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace vantro::hex {

// The three record labels (lblmsg, lblmsg1, lblmsg2) that show a report's records.
class RecordLabels {
public:
    virtual ~RecordLabels() = default;
    // index 0 is lblmsg, 1 lblmsg1, 2 lblmsg2.
    virtual void set_record_label(int index, std::string_view text) = 0;
};

}  // namespace vantro::hex
