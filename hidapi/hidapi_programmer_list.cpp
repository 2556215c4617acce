// SPDX-License-Identifier: MIT
#include "hidapi/hidapi_programmer_list.h"

#include <hidapi.h>

namespace vantro::hid {

std::vector<ProgrammerInfo> list_programmers(ProgrammerIds programmer) {
    const HidapiInit hidapi;
    std::vector<ProgrammerInfo> programmers;
    if (!hidapi.succeeded()) {
        return programmers;
    }
    for (HidDeviceListing& device : enumerate_hid_devices(programmer)) {
        auto opened = open_hid_device(device.path);
        ProgrammerInfo info{std::move(device), std::nullopt};
        if (auto* const failure = std::get_if<OpenFailure>(&opened)) {
            info.failure = std::move(*failure);
        } else {
            hid_close(std::get<hid_device*>(opened));
        }
        programmers.push_back(std::move(info));
    }
    return programmers;
}

}  // namespace vantro::hid
