#include "hidapi/hidapi_programmer_list.h"

#include <hidapi.h>

#include "i18n/texts.h"
#include "protocol/report.h"

namespace vantro::hid {

bool is_programmer(const HidDeviceListing& device) {
    return device.vendor_id == protocol::PROG_VID && device.product_id == protocol::PROG_PID;
}

std::string access_problem_text(const ProgrammerInfo& programmer) {
    if (programmer.failure && programmer.failure->permission_denied()) {
        return tr_args(
            "Gravador encontrado em %1, mas sem permissão de acesso: instale a regra udev do "
            "Vantro e reconecte o gravador.",
            {programmer.device.path});
    }
    return tr_args(
        "Gravador encontrado em %1, mas não foi possível abri-lo: %2",
        {programmer.device.path, programmer.failure ? programmer.failure->message : std::string()});
}

std::vector<ProgrammerInfo> list_programmers() {
    const HidapiUser user;
    std::vector<ProgrammerInfo> programmers;
    if (!user.initialised()) {
        return programmers;
    }
    for (HidDeviceListing& device : enumerate_hid_devices()) {
        if (!is_programmer(device)) {
            continue;
        }
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
