// SPDX-License-Identifier: MIT
#pragma once
// HIDDLLInterface: joins the owner to the HID library and turns each library
// event into a call of one of the four handlers, on the owner's thread.

#include "hid/hid_event_handler.h"
#include "hid/hid_library.h"

namespace vantro::hid {

class HidBridge {
public:
    HidBridge(HidLibrary& library, HidEventHandler& handler);

    // Connects the library; poster must hand each event back to HidWindowProc on
    // the owner's thread, in order. Returns what Connect returned.
    bool HidAttach(EventPoster poster);
    // Disconnects; events still delivered afterwards call no handler.
    bool HidDetach();
    // Calls the handler the event names; any other kind calls none.
    void HidWindowProc(const HidEvent& event);

    bool attached() const { return attached_; }

private:
    HidLibrary& library_;
    HidEventHandler& handler_;
    bool attached_ = false;
};

}  // namespace vantro::hid
