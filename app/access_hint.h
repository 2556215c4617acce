// SPDX-License-Identifier: MIT
#pragma once
// The access hint on the Qt event loop: it looks at each change of the device
// list before the session does.

#include <QObject>

#include "form/access_hint.h"

namespace vantro::app {

class AccessHint : public QObject {
public:
    AccessHint(connection::Backend& backend, ops::Display& display)
        : hint_(backend, display), display_(display) {}

    // The event goes on unchanged.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    form::AccessHint hint_;
    ops::Display& display_;
};

}  // namespace vantro::app
