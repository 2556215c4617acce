// SPDX-License-Identifier: MIT
#include "protocol/command_link.h"

namespace vantro::protocol {

CommandLink::CommandLink(hid::HidLibrary& library, hid::EventPump& pump)
    : library_(library), pump_(pump) {}

bool CommandLink::write() {
    wrote_ = true;
    return library_.WriteEx(PROG_VID, PROG_PID, buffer_saida);
}

void CommandLink::take_answer(hid::DeviceHandle device) {
    Report buffer_entrada{};
    if (library_.Read(device, buffer_entrada)) {
        resposta_ = buffer_entrada[kStatusIndex];
        answered_ = true;
    }
}

void CommandLink::begin_operation() {
    removed_ = false;
    cancelled_ = false;
    wrote_ = false;
}

std::optional<WaitEnd> CommandLink::stopped() const {
    if (cancelled_ || stop_token_.stop_requested()) {
        return WaitEnd::Cancelled;
    }
    if (removed_) {
        return WaitEnd::Removed;
    }
    return std::nullopt;
}

// Answers that arrived for an earlier command are handled before the next
// report goes out, so they can never be taken for its answer.
std::optional<WaitEnd> CommandLink::drain_pending() {
    pump_.process_pending_events(std::chrono::steady_clock::now());
    return stopped();
}

std::optional<WaitEnd> CommandLink::start_exchange() {
    const auto reason = drain_pending();
    answered_ = false;
    return reason;
}

WaitEnd CommandLink::wait_while(const std::function<bool()>& waiting) {
    const auto deadline = std::chrono::steady_clock::now() + timeout_;
    while (waiting()) {
        if (const auto reason = stopped()) {
            return *reason;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return WaitEnd::TimedOut;
        }
        pump_.process_pending_events(deadline);
    }
    return WaitEnd::Answered;
}

WaitEnd CommandLink::echo_exchange(std::uint8_t code, const std::function<void()>& after_write) {
    if (const auto reason = start_exchange()) {
        return *reason;
    }
    resposta_ = 0;
    buffer_saida[0] = 0x00;
    buffer_saida[1] = code;
    if (!write()) {
        return WaitEnd::WriteFailed;
    }
    if (after_write) {
        after_write();
    }
    return wait_while([this, code] { return resposta_ != code; });
}

WaitEnd CommandLink::data_exchange() {
    if (const auto reason = start_exchange()) {
        return *reason;
    }
    resposta_ = 0;
    if (!write()) {
        return WaitEnd::WriteFailed;
    }
    return wait_while([this] { return resposta_ == 0; });
}

WaitEnd CommandLink::lock_exchange(std::uint8_t lock_value,
                                   const std::function<void()>& after_write) {
    if (const auto reason = start_exchange()) {
        return *reason;
    }
    buffer_saida[0] = 0x00;
    buffer_saida[1] = kCmdLockBits;
    buffer_saida[2] = lock_value;
    if (!write()) {
        return WaitEnd::WriteFailed;
    }
    // Preset after the write: answers are handled only inside the wait below.
    resposta_ = kLockPending;
    if (after_write) {
        after_write();
    }
    return wait_while([this] { return resposta_ == kLockPending; });
}

}  // namespace vantro::protocol
