// SPDX-License-Identifier: MIT
#pragma once
// The form's geometry is given in twips (1/1440 inch); widgets want pixels.

#include <QRect>
#include <QWidget>

#include "form/form_table.h"

namespace vantro::app {

class TwipsScale {
public:
    explicit TwipsScale(const QWidget& widget)
        : dpi_x_(widget.logicalDpiX()), dpi_y_(widget.logicalDpiY()) {}

    int x(int twips) const { return form::pixels_from_twips(twips, dpi_x_); }
    int y(int twips) const { return form::pixels_from_twips(twips, dpi_y_); }
    QRect rect(int left, int top, int width, int height) const {
        return {x(left), y(top), x(width), y(height)};
    }

private:
    int dpi_x_;
    int dpi_y_;
};

}  // namespace vantro::app
