// SPDX-License-Identifier: MIT
#include "hidapi/hidapi_global.h"

#include <hidapi.h>
#ifdef __APPLE__
#include <hidapi_darwin.h>
#endif

#include <cstdlib>
#include <mutex>

#include "platform/device_open_error.h"
#include "platform/utf8.h"

namespace vantro::hid {
namespace {

std::mutex& global_state_mutex() {
    static std::mutex mutex;
    return mutex;
}

int initialised_count = 0;  // guarded by global_state_mutex()

}  // namespace

HidapiInit::HidapiInit() {
    std::lock_guard lock(global_state_mutex());
    if (initialised_count == 0 && hid_init() != 0) {
        return;
    }
#ifdef __APPLE__
    // macOS opens devices exclusively by default; the reader and the writer each
    // need a handle of their own on the same device.
    hid_darwin_set_open_exclusive(0);
#endif
    ++initialised_count;
    initialised_ = true;
}

HidapiInit::~HidapiInit() {
    std::lock_guard lock(global_state_mutex());
    if (initialised_ && --initialised_count == 0) {
        hid_exit();
    }
}

std::vector<HidDeviceListing> enumerate_hid_devices(ProgrammerIds ids) {
    std::lock_guard lock(global_state_mutex());
    std::vector<HidDeviceListing> listings;
    hid_device_info* const first = hid_enumerate(ids.vendor_id, ids.product_id);
    for (const hid_device_info* info = first; info != nullptr; info = info->next) {
        listings.push_back({info->path != nullptr ? info->path : "", info->vendor_id,
                            info->product_id, platform::utf8_from_wide(info->serial_number),
                            platform::utf8_from_wide(info->product_string)});
    }
    hid_free_enumeration(first);
    return listings;
}

std::variant<hid_device_*, OpenFailure> open_hid_device(const std::string& path) {
    std::lock_guard lock(global_state_mutex());
    std::string held_message;
    if (const auto held = platform::device_held_elsewhere(path, held_message)) {
        return OpenFailure{held->error_number, std::move(held_message),
                           held->held_by_another_program};
    }
    errno = 0;
    hid_device* const device = hid_open_path(path.c_str());
    if (device != nullptr) {
        return device;
    }
    const int saved_errno = errno;
    std::string message = platform::utf8_from_wide(hid_error(nullptr));
    const platform::DeviceOpenError error = platform::device_open_error(saved_errno, message);
    return OpenFailure{error.error_number, std::move(message), error.held_by_another_program};
}

}  // namespace vantro::hid
