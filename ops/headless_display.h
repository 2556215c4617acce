// SPDX-License-Identifier: MIT
#pragma once
// A Display for front-ends without a window: the progress bar's values are kept
// in memory, and the record labels, the connection label and the buttons show
// nothing.

#include "ops/display.h"

namespace vantro::ops {

class HeadlessDisplay : public Display {
public:
    void set_record_label(int, std::string_view) override {}
    void set_connection_text(std::string_view) override {}
    void habilita_comandos(bool) override {}
    float progress_min() const override { return 0.0f; }
    float progress_max() const override { return max_; }
    float progress_value() const override { return value_; }
    void set_progress_max(float max) override { max_ = max; }
    void set_progress_value(float value) override { value_ = value; }

private:
    float max_ = 100.0f;
    float value_ = 0.0f;
};

}  // namespace vantro::ops
