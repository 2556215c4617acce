// SPDX-License-Identifier: MIT
#pragma once
// The form's geometry is given in twips (1/1440 inch); widgets want pixels.

#include <QRect>
#include <QWidget>
#include <cmath>

namespace vantro::app {

inline constexpr double kTwipsPerInch = 1440.0;

class TwipsScale {
public:
    explicit TwipsScale(const QWidget& widget)
        : dpi_x_(widget.logicalDpiX()), dpi_y_(widget.logicalDpiY()) {}

    int x(int twips) const { return static_cast<int>(std::lround(twips * dpi_x_ / kTwipsPerInch)); }
    int y(int twips) const { return static_cast<int>(std::lround(twips * dpi_y_ / kTwipsPerInch)); }
    QRect rect(int left, int top, int width, int height) const {
        return {x(left), y(top), x(width), y(height)};
    }

private:
    double dpi_x_;
    double dpi_y_;
};

}  // namespace vantro::app
