// SPDX-License-Identifier: MIT
#include "app/hid_notify_filter.h"

#include <QCoreApplication>

namespace vantro::app {

QEvent::Type HidNotifyEvent::type() {
    static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
    return registered;
}

hid::EventPoster post_to(QObject& receiver) {
    return [&receiver](const hid::HidEvent& event) {
        QCoreApplication::postEvent(&receiver, new HidNotifyEvent(event));
    };
}

bool HidNotifyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == HidNotifyEvent::type()) {
        bridge_.HidWindowProc(static_cast<HidNotifyEvent*>(event)->hid_event());
        pump_.wake();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vantro::app
