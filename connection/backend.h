// SPDX-License-Identifier: MIT
#pragma once
// The HID library a program talks to, and what its backend can tell beyond the
// library's eight operations. The front-ends use it without knowing which backend
// they have: hidapi for real programmers, or the emulated programmers.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "connection/connection_options.h"
#include "firmware/firmware_model.h"
#include "hid/hid_library.h"
#include "ops/programmer_session.h"

namespace vantro::connection {

// One programmer present, as `list` shows it.
struct ProgrammerEntry {
    std::string path;
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::string serial;  // empty when the device has none
    std::string product;
    std::optional<std::string> problem;  // for the user: why it cannot be used
};

// A programmer that is present but cannot be used, and the sentence for the user.
struct AccessProblem {
    std::string path;
    std::string text;
};

// The way to one programmer.
class Backend {
public:
    virtual ~Backend() = default;

    virtual hid::HidLibrary& library() = 0;
    // What the backend says of itself to the user ("gravador emulado"); empty for
    // a real programmer, which needs no word.
    virtual std::string description() const = 0;
    // A present programmer the library cannot open, and so does not announce;
    // nothing when there is none. It may change at every Changed event.
    virtual std::optional<AccessProblem> access_problem() const = 0;
    // The chip's memory after a run, where the backend can see it: the emulated
    // programmer can, a real one cannot be read back (nullptr).
    virtual const std::vector<std::uint8_t>* memory(hex::Memory which) const = 0;
    // For a window that hears of the system's device changes (WM_DEVICECHANGE):
    // presence is checked at once rather than at the next listing. Any thread.
    virtual void devices_changed() {}
};

// What a session sees of the chip's memory through this backend (see Backend::memory).
ops::MemoryReader chip_memory(const Backend& backend);

// The programmer at `path` (see list_programmers), or, for "serial:XXXX", the one
// whose serial number is XXXX; none: the first one found.
std::unique_ptr<Backend> make_backend(const ConnectionOptions& options,
                                      const std::optional<std::string>& path);
// The programmer --device names, if any.
inline std::unique_ptr<Backend> make_backend(const ConnectionOptions& options) {
    return make_backend(options, options.device_path);
}

// The firmware of the programmer at `path` (none: the first), as far as it is
// known: an emulated programmer's is its configured model; a real one's, the
// model closest to a real firmware. The rehearsal of its runs runs it.
firmware::FirmwareModel firmware_model(const ConnectionOptions& options,
                                       const std::optional<std::string>& path);

// Every programmer present now, of the kind the options choose.
std::vector<ProgrammerEntry> list_programmers(const ConnectionOptions& options);

// What --device names: "serial:XXXX" stands for the path of the programmer present
// with that serial number (none when none has it); any other text is a path.
inline constexpr std::string_view kSerialPrefix = "serial:";
std::optional<std::string> device_path(const ConnectionOptions& options, const std::string& device);
// Whether --device's text names this programmer: its path, or serial:ITS-SERIAL.
bool names_programmer(const std::string& device, const ProgrammerEntry& programmer);

// The number a programmer's path carries (emulated:K), which names its output
// files whatever the order of --device; none for a path that carries none.
std::optional<int> number_in_path(const ConnectionOptions& options, const std::string& path);

}  // namespace vantro::connection
