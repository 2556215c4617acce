// SPDX-License-Identifier: MIT
#include "fake_hidapi.h"

#include <hidapi.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "emulator/emulated_programmer.h"

struct FakeNode {
    FakeNode(vantro::fake_hidapi::FakeDevice device,
             const vantro::emulator::EmulatorSettings& settings)
        : identity(std::move(device)), programmer(settings) {}

    vantro::fake_hidapi::FakeDevice identity;
    vantro::emulator::EmulatedProgrammer programmer;
    bool present = true;
    int open_error = 0;
    bool failing_writes = false;
    std::vector<hid_device*> handles;
};

struct hid_device_ {
    explicit hid_device_(std::shared_ptr<FakeNode> opened) : node(std::move(opened)) {}

    std::shared_ptr<FakeNode> node;
    std::deque<std::vector<unsigned char>> inputs;  // guarded by the state mutex
    std::condition_variable arrived;
    bool waiting = false;           // blocked in hid_read_timeout with nothing queued
    wchar_t* last_error = nullptr;  // rewritten without a lock, as hidapi does
};

namespace {

struct State {
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<FakeNode>> nodes;  // present nodes by path
    std::size_t open_handles = 0;
};

State& state() {
    static State instance;
    return instance;
}

std::atomic<int> initialised{0};
wchar_t* global_error = nullptr;  // rewritten without a lock, as hidapi does

void register_error(wchar_t*& slot, const std::wstring& text) {
    std::free(slot);
    slot = text.empty() ? nullptr : ::wcsdup(text.c_str());
}

std::wstring widen(const std::string& text) {
    return {text.begin(), text.end()};
}

// Delivers one report, without its id, to every open file of the node. Caller holds the lock.
void deliver(FakeNode& node, const vantro::protocol::Report& report) {
    for (hid_device* handle : node.handles) {
        handle->inputs.emplace_back(report.begin() + 1, report.end());
        handle->arrived.notify_all();
    }
}

// Caller holds the lock.
void remove_node(std::shared_ptr<FakeNode> node) {  // a copy: erasing drops the map's
    node->present = false;
    state().nodes.erase(node->identity.path);
    for (hid_device* handle : node->handles) {
        handle->arrived.notify_all();
    }
}

std::shared_ptr<FakeNode> find(const std::string& path) {
    const auto node = state().nodes.find(path);
    return node == state().nodes.end() ? nullptr : node->second;
}

wchar_t* copy_wide(const std::wstring& text) {
    return ::wcsdup(text.c_str());
}

}  // namespace

namespace vantro::fake_hidapi {

void plug(const FakeDevice& device, const emulator::EmulatorSettings& settings) {
    std::lock_guard lock(state().mutex);
    state().nodes[device.path] = std::make_shared<FakeNode>(device, settings);
}

void unplug(const std::string& path) {
    std::lock_guard lock(state().mutex);
    if (const auto node = find(path)) {
        remove_node(node);
    }
}

void refuse_open(const std::string& path, int error_number) {
    std::lock_guard lock(state().mutex);
    find(path)->open_error = error_number;
}

void fail_writes(const std::string& path, bool failing) {
    std::lock_guard lock(state().mutex);
    find(path)->failing_writes = failing;
}

void send_input(const std::string& path, const protocol::Report& report) {
    std::lock_guard lock(state().mutex);
    deliver(*find(path), report);
}

std::uint64_t reports_received(const std::string& path) {
    std::lock_guard lock(state().mutex);
    return find(path)->programmer.reports_received();
}

bool wait_until_read(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        {
            std::lock_guard lock(state().mutex);
            const auto node = find(path);
            if (node != nullptr && std::ranges::any_of(node->handles, [](hid_device* handle) {
                    return handle->waiting && handle->inputs.empty();
                })) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

std::size_t open_handle_count() {
    std::lock_guard lock(state().mutex);
    return state().open_handles;
}

int initialised_count() {
    return initialised.load();
}

void reset() {
    std::lock_guard lock(state().mutex);
    while (!state().nodes.empty()) {
        remove_node(state().nodes.begin()->second);
    }
}

}  // namespace vantro::fake_hidapi

extern "C" {

int hid_init(void) {
    ++initialised;
    return 0;
}

int hid_exit(void) {
    --initialised;
    register_error(global_error, L"");
    return 0;
}

hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
    register_error(global_error, L"");
    std::lock_guard lock(state().mutex);
    hid_device_info* first = nullptr;
    hid_device_info** link = &first;
    for (const auto& [path, node] : state().nodes) {
        const auto& id = node->identity;
        if ((vendor_id != 0 && vendor_id != id.vendor_id) ||
            (product_id != 0 && product_id != id.product_id)) {
            continue;
        }
        auto* const info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
        info->path = ::strdup(path.c_str());
        info->vendor_id = id.vendor_id;
        info->product_id = id.product_id;
        info->serial_number = copy_wide(id.serial);
        info->manufacturer_string = copy_wide(L"");
        info->product_string = copy_wide(id.product);
        info->bus_type = HID_API_BUS_USB;
        *link = info;
        link = &info->next;
    }
    return first;
}

void hid_free_enumeration(hid_device_info* devices) {
    while (devices != nullptr) {
        hid_device_info* const next = devices->next;
        std::free(devices->path);
        std::free(devices->serial_number);
        std::free(devices->manufacturer_string);
        std::free(devices->product_string);
        std::free(devices);
        devices = next;
    }
}

hid_device* hid_open_path(const char* path) {
    register_error(global_error, L"");
    std::unique_lock lock(state().mutex);
    const auto node = find(path);
    const int error_number = node == nullptr ? ENOENT : node->open_error;
    if (error_number != 0) {
        lock.unlock();
#ifdef _WIN32
        // As hidapi's Windows backend says it: the system's code in the text, no errno.
        const wchar_t* const code = error_number == EACCES ? L"(0x00000005)" : L"(0x00000002)";
        register_error(global_error, std::wstring(L"open_device: ") + code + L" " +
                                         widen(std::strerror(error_number)) + L" " + widen(path));
#else
        register_error(global_error, L"Failed to open a device with path '" + widen(path) + L"': " +
                                         widen(std::strerror(error_number)));
        errno = error_number;
#endif
        return nullptr;
    }
    auto* const handle = new hid_device(node);
    node->handles.push_back(handle);
    ++state().open_handles;
    return handle;
}

void hid_close(hid_device* device) {
    {
        std::lock_guard lock(state().mutex);
        std::erase(device->node->handles, device);
        --state().open_handles;
    }
    std::free(device->last_error);
    delete device;
}

int hid_write(hid_device* device, const unsigned char* data, size_t length) {
    register_error(device->last_error, L"");
    std::unique_lock lock(state().mutex);
    FakeNode& node = *device->node;
    if (!node.present || node.failing_writes) {
        const wchar_t* const text = node.present ? L"I/O error" : L"No such device";
        lock.unlock();
        register_error(device->last_error, text);
        return -1;
    }
    vantro::protocol::Report report{};
    std::memcpy(report.data(), data, std::min(length, report.size()));
    const vantro::emulator::Reaction reaction = node.programmer.receive(report);
    if (reaction.unplugged) {
        remove_node(device->node);
        return static_cast<int>(length);
    }
    for (const auto& answer : reaction.answers) {
        deliver(node, answer);
    }
    return static_cast<int>(length);
}

int hid_read_timeout(hid_device* device, unsigned char* data, size_t length, int milliseconds) {
    register_error(device->last_error, L"");
    std::unique_lock lock(state().mutex);
    const auto ready = [device] { return !device->node->present || !device->inputs.empty(); };
    device->waiting = !ready();
    if (milliseconds < 0) {
        device->arrived.wait(lock, ready);
    } else {
        device->arrived.wait_for(lock, std::chrono::milliseconds(milliseconds), ready);
    }
    device->waiting = false;
    // Like hidraw's poll: a removed device fails even with reports still queued.
    if (!device->node->present) {
        lock.unlock();
        register_error(device->last_error, L"hid_read_timeout: device disconnected");
        return -1;
    }
    if (device->inputs.empty()) {
        return 0;
    }
    const std::vector<unsigned char> input = std::move(device->inputs.front());
    device->inputs.pop_front();
    const std::size_t count = std::min(length, input.size());
    std::memcpy(data, input.data(), count);
    return static_cast<int>(count);
}

const wchar_t* hid_error(hid_device* device) {
    const wchar_t* const text = device != nullptr ? device->last_error : global_error;
    return text != nullptr ? text : L"Success";
}

}  // extern "C"
