// SPDX-License-Identifier: MIT
#pragma once
// A Display that records what the operations show, in order.

#include <string>
#include <vector>

#include "ops/display.h"

namespace vantro::testing {

struct Message {
    std::string text;
    std::string title;
    ops::MessageIcon icon;
};

class RecordingDisplay : public ops::Display {
public:
    std::vector<std::string> statuses;
    std::vector<std::string> connection_texts;
    std::vector<bool> button_changes;  // one entry per habilita_comandos call
    std::vector<float> progress_values;
    std::vector<Message> messages;
    std::string labels[3];
    bool buttons_enabled = false;
    float min = 0.0f;
    float max = 100.0f;
    float value = 0.0f;

    void set_record_label(int index, std::string_view text) override {
        labels[index] = std::string(text);
    }
    void set_status(std::string_view text) override { statuses.emplace_back(text); }
    void set_connection_text(std::string_view text) override {
        connection_texts.emplace_back(text);
    }
    void habilita_comandos(bool enabled) override {
        buttons_enabled = enabled;
        button_changes.push_back(enabled);
    }
    float progress_min() const override { return min; }
    float progress_max() const override { return max; }
    float progress_value() const override { return value; }
    void set_progress_max(float m) override { max = m; }
    void set_progress_value(float v) override {
        value = v;
        progress_values.push_back(v);
    }
    void show_message(std::string_view text, std::string_view title,
                      ops::MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(title), icon});
    }
};

}  // namespace vantro::testing
