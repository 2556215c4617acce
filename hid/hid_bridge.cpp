// SPDX-License-Identifier: MIT
#include "hid/hid_bridge.h"

namespace vantro::hid {

HidBridge::HidBridge(HidLibrary& library, HidEventHandler& handler)
    : library_(library), handler_(handler) {}

bool HidBridge::HidAttach(EventPoster poster) {
    // Attached before Connect: devices already present are announced inside Connect.
    attached_ = true;
    return library_.Connect(std::move(poster));
}

bool HidBridge::HidDetach() {
    const bool result = library_.Disconnect();
    attached_ = false;
    return result;
}

void HidBridge::HidWindowProc(const HidEvent& event) {
    if (!attached_) {
        return;
    }
    switch (event.kind) {
        case HidEventKind::Plugged:
            handler_.OnPlugged(event.handle);
            break;
        case HidEventKind::Unplugged:
            handler_.OnUnplugged(event.handle);
            break;
        case HidEventKind::Changed:
            handler_.OnChanged();
            break;
        case HidEventKind::ReadReady:
            handler_.OnRead(event.handle);
            break;
    }
}

}  // namespace vantro::hid
