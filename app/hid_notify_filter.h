// SPDX-License-Identifier: MIT
#pragma once
// Carries HID library events to the window as posted Qt events, and hands them
// to the bridge before the window's own event handling sees them.

#include <QEvent>
#include <QObject>

#include "app/qt_event_pump.h"
#include "hid/hid_bridge.h"

namespace vantro::app {

class HidNotifyEvent : public QEvent {
public:
    explicit HidNotifyEvent(const hid::HidEvent& event) : QEvent(type()), event_(event) {}
    static QEvent::Type type();
    const hid::HidEvent& hid_event() const { return event_; }

private:
    hid::HidEvent event_;
};

// A poster for HidAttach: posts each event to receiver. Thread-safe, and posted
// events keep their order.
hid::EventPoster post_to(QObject& receiver);

class HidNotifyFilter : public QObject {
public:
    HidNotifyFilter(hid::HidBridge& bridge, QtEventPump& pump) : bridge_(bridge), pump_(pump) {}

    // Every event goes on to the window afterwards, the HID ones included.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    hid::HidBridge& bridge_;
    QtEventPump& pump_;
};

}  // namespace vantro::app
