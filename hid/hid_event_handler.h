// SPDX-License-Identifier: MIT
#pragma once

#include "hid/hid_library.h"

namespace vantro::hid {

// The four handlers the bridge calls, on the owner's thread.
class HidEventHandler {
public:
    virtual ~HidEventHandler() = default;
    virtual void OnPlugged(DeviceHandle pHandle) = 0;
    virtual void OnUnplugged(DeviceHandle pHandle) = 0;
    virtual void OnChanged() = 0;
    virtual void OnRead(DeviceHandle pHandle) = 0;
};

}  // namespace vantro::hid
