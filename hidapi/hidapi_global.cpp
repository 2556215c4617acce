#include "hidapi/hidapi_global.h"

#include <hidapi.h>
#ifdef __APPLE__
#include <hidapi_darwin.h>
#endif

#include <mutex>

namespace vantro::hid {
namespace {

std::mutex& global_state_mutex() {
    static std::mutex mutex;
    return mutex;
}

int initialised_count = 0;  // guarded by global_state_mutex()

// hidapi's texts are wchar_t (UTF-32 on the platforms we build for).
std::string to_utf8(const wchar_t* text) {
    std::string out;
    for (; text != nullptr && *text != L'\0'; ++text) {
        const auto code = static_cast<std::uint32_t>(*text);
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

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

std::vector<HidDeviceListing> enumerate_hid_devices() {
    std::lock_guard lock(global_state_mutex());
    std::vector<HidDeviceListing> listings;
    hid_device_info* const first = hid_enumerate(0, 0);
    for (const hid_device_info* info = first; info != nullptr; info = info->next) {
        listings.push_back({info->path != nullptr ? info->path : "", info->vendor_id,
                            info->product_id, to_utf8(info->serial_number),
                            to_utf8(info->product_string)});
    }
    hid_free_enumeration(first);
    return listings;
}

std::variant<hid_device_*, OpenFailure> open_hid_device(const std::string& path) {
    std::lock_guard lock(global_state_mutex());
    errno = 0;
    hid_device* const device = hid_open_path(path.c_str());
    if (device != nullptr) {
        return device;
    }
    const int error_number = errno;
    return OpenFailure{error_number, to_utf8(hid_error(nullptr))};
}

}  // namespace vantro::hid
