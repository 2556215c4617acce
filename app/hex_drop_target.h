// SPDX-License-Identifier: MIT
#pragma once
// Drops on a programming button, handed to the window controller, which says
// whether it takes them.

#include <QMimeData>
#include <QObject>
#include <QPushButton>
#include <vector>

#include "form/window_controller.h"

namespace vantro::app {

// What was dropped, as the controller judges it: each URL's file, in the platform's
// 8-bit file-name encoding, and whether it is a local file rather than a folder.
std::vector<form::DroppedFile> dropped_files(const QMimeData& data);

class HexDropTarget : public QObject {
public:
    HexDropTarget(QPushButton& button, form::WindowController& controller);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton& button_;
    form::WindowController& controller_;
};

}  // namespace vantro::app
