// SPDX-License-Identifier: MIT
#pragma once
// One operation from connecting to disconnecting, on one programmer or on
// several at once. Each programmer has its own thread, and on it its own event
// queue, session and time limit: none ever waits for another.

#include <chrono>
#include <functional>
#include <memory>
#include <span>
#include <stop_token>

#include "hid/hid_library.h"
#include "ops/display.h"
#include "ops/operation.h"
#include "ops/outcome.h"
#include "ops/parts.h"
#include "ops/prepare.h"
#include "ops/programmer_session.h"
#include "protocol/command_link.h"

namespace vantro::ops {

struct RunRequest {
    Operation operation = Operation::Erase;
    OperationInput input;  // the HEX file and the lock bits the front-end holds
    std::chrono::milliseconds timeout = protocol::kDefaultTimeout;
    // FLASH and EEPROM: the image every programmer gets; null: each run loads its file.
    std::shared_ptr<const PreparedImage> image;
    std::optional<Part> part;       // the chip, when known: images that do not fit it are refused
    firmware::FirmwareModel model;  // the programmer's firmware, which the rehearsal runs
    MemoryReader memory;            // what the backend sees of the chip after a run
    // Once requested (from any thread), every run stops before its next report,
    // and a wait in progress ends at once: the process is being interrupted.
    std::stop_token stop;
};

struct RunEnd {
    Outcome outcome = Outcome::NotFound;
    std::chrono::milliseconds took{0};
    bool sent = false;  // a report was written
    // What a FLASH or EEPROM run programmed (or refused); null for erase and lock bits.
    std::shared_ptr<const PreparedImage> image;
};

// On the calling thread. NotFound when the library shows no programmer once connected.
RunEnd run_on_programmer(hid::HidLibrary& library, Display& display, const RunRequest& request);

struct ProgrammerJob {
    hid::HidLibrary* library = nullptr;
    Display* display = nullptr;     // used only from the programmer's own thread
    firmware::FirmwareModel model;  // this programmer's, in place of the request's
    MemoryReader memory;            // likewise
};

// ended(i, end) runs on programmer i's thread as soon as its run is over, so calls
// for different programmers may overlap. Returns when every run has ended.
void run_in_parallel(std::span<const ProgrammerJob> jobs, const RunRequest& request,
                     const std::function<void(std::size_t, const RunEnd&)>& ended);

}  // namespace vantro::ops
