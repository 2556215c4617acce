// SPDX-License-Identifier: MIT
#pragma once
// What the operations show; the window and the CLI each implement it.

#include <string_view>

#include "hex/record_labels.h"

namespace vantro::ops {

enum class MessageIcon { None, Information, Warning, Critical };

// Title of the message boxes that carry no title of their own.
inline constexpr std::string_view kApplicationTitle = "Vantro";

class Display : public hex::RecordLabels {
public:
    // The status label `sucesso`.
    virtual void set_status(std::string_view text) = 0;
    // The connection label `estado`.
    virtual void set_connection_text(std::string_view text) = 0;
    // Command1, Command2, Command4 and Command6, in that order, to one value.
    virtual void habilita_comandos(bool enabled) = 0;

    // The progress bar `porcentagem`; its values are single-precision.
    virtual float progress_min() const = 0;
    virtual float progress_max() const = 0;
    virtual float progress_value() const = 0;
    virtual void set_progress_max(float max) = 0;
    virtual void set_progress_value(float value) = 0;

    // A modal message box with an OK button; returns when the user closed it.
    virtual void show_message(std::string_view text, std::string_view title, MessageIcon icon) = 0;
};

}  // namespace vantro::ops
