// SPDX-License-Identifier: MIT
#pragma once
// Tells the user, instead of showing it as disconnected, that a programmer is
// plugged in but this user may not open it, and how to fix that.

#include <QObject>
#include <optional>
#include <string>

#include "connection/backend.h"
#include "ops/display.h"

namespace vantro::app {

class AccessHint : public QObject {
public:
    AccessHint(connection::Backend& backend, ops::Display& display)
        : backend_(backend), display_(display) {}

    // Looks again at each change of the device list; the event goes on unchanged.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    connection::Backend& backend_;
    ops::Display& display_;
    std::optional<std::string> shown_path_;  // the programmer the hint is about
};

}  // namespace vantro::app
