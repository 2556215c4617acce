// SPDX-License-Identifier: MIT
#include "app/access_hint.h"

#include <QTimer>

#include "app/qt_event_loop.h"

namespace vantro::app {

bool AccessHint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == HidNotifyEvent::type() &&
        static_cast<HidNotifyEvent*>(event)->hid_event().kind == hid::HidEventKind::Changed) {
        if (auto warning = hint_.device_list_changed()) {
            QTimer::singleShot(0, this, [this, text = std::move(*warning)] {
                display_.show_message(text, ops::kApplicationTitle, ops::MessageIcon::Warning);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vantro::app
