// SPDX-License-Identifier: MIT
#pragma once
// The exchanges with the programmer: write one report, then handle pending
// events until the awaited answer, the programmer's removal, a cancel or the
// time limit ends the wait.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>

#include "hid/event_pump.h"
#include "hid/hid_library.h"
#include "protocol/report.h"

namespace vantro::protocol {

enum class WaitEnd {
    Answered,     // the awaited answer (or, for data and lock bits, any answer) came
    WriteFailed,  // the report was not written
    Removed,      // the programmer was removed
    TimedOut,     // nothing awaited came within the limit
    Cancelled,    // cancel() was called
};

inline constexpr std::chrono::milliseconds kDefaultTimeout{10'000};

class CommandLink {
public:
    CommandLink(hid::HidLibrary& library, hid::EventPump& pump);

    Report buffer_saida{};

    // The read handler's part (OnRead): takes the device's waiting input report, if
    // there is one, and keeps its status byte as the answer the waits look at.
    void take_answer(hid::DeviceHandle device);
    // The status byte of the last answer taken.
    std::uint8_t resposta() const { return resposta_; }

    // Whether an answer came during the last exchange's wait; after a time-out,
    // resposta is then what the programmer said instead of the awaited answer.
    bool answered() const { return answered_; }

    // Echo exchange (erase, begin, end): resposta := 0, write, wait until resposta = code.
    // after_write runs between the write and the wait.
    WaitEnd echo_exchange(std::uint8_t code, const std::function<void()>& after_write = {});
    // Data exchange: buffer_saida already holds the report; resposta := 0, write,
    // wait while resposta = 0. The caller judges resposta.
    WaitEnd data_exchange();
    // Lock-bit exchange: write, resposta := 0x7F, after_write, wait while resposta = 0x7F.
    WaitEnd lock_exchange(std::uint8_t lock_value, const std::function<void()>& after_write = {});

    // Forgets an earlier operation's removal or cancel. A removal or cancel seen
    // during an operation stops every later exchange of that operation.
    void begin_operation();
    // Called by the owner when the programmer is removed; ends a wait in progress.
    void programmer_removed() { removed_ = true; }
    void cancel() { cancelled_ = true; }
    // A stop that outlives operations (the process is being interrupted): once
    // requested, from any thread, every exchange ends as if cancelled. Whoever
    // requests it also wakes the pump.
    void stop_on(std::stop_token token) { stop_token_ = std::move(token); }
    // Whether the current operation has written a report yet.
    bool wrote_in_operation() const { return wrote_; }
    void set_timeout(std::chrono::milliseconds limit) { timeout_ = limit; }
    std::chrono::milliseconds timeout() const { return timeout_; }

private:
    bool write();
    WaitEnd wait_while(const std::function<bool()>& waiting);
    // Cancelled or Removed once the operation must stop; nothing while it may go on.
    std::optional<WaitEnd> stopped() const;
    // Handles what is already pending; says why the exchange must not start, if it must not.
    std::optional<WaitEnd> drain_pending();
    // drain_pending, then forgets the answers it handled: they were not to this exchange.
    std::optional<WaitEnd> start_exchange();

    hid::HidLibrary& library_;
    hid::EventPump& pump_;
    std::chrono::milliseconds timeout_ = kDefaultTimeout;
    std::uint8_t resposta_ = 0;
    bool removed_ = false;
    bool cancelled_ = false;
    bool wrote_ = false;
    std::stop_token stop_token_;
    bool answered_ = false;
};

}  // namespace vantro::protocol
