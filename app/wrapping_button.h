// SPDX-License-Identifier: MIT
#pragma once

#include <QPushButton>

namespace vantro::app {

// A command button that breaks its caption over two lines when it does not fit
// on one, as the form's narrow buttons need; text() stays the caption as given.
class WrappingButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vantro::app
