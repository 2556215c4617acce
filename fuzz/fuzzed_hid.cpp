// SPDX-License-Identifier: MIT
#include "fuzz/fuzzed_hid.h"

#include <algorithm>

namespace vantro::fuzz {
namespace {

constexpr hid::DeviceHandle kFirstProgrammer = 7;
// Another device of the same vendor: only the product id tells it apart.
constexpr hid::DeviceHandle kOther = 1000;
constexpr std::uint32_t kOtherProduct = 0x0002;
constexpr std::size_t kLongestRawReport = 100;
constexpr int kLongestFlood = 64;

enum class Happening : int {
    RawReport,   // an input report of any length and content
    Echo,        // the answer a well-behaved programmer gives to the last report
    StatusOnly,  // a report whose status byte alone is chosen
    Flood,       // many reports at once, unasked
    EmptyRead,   // a read notification with nothing to read
    Plugged,
    Unplugged,
    Changed,
    UnknownEvent,  // an event kind the library never sends
    FailNextWrite,
    Nothing,
    kMaxValue = Nothing,
};

}  // namespace

void FuzzedHid::start(FuzzedDataProvider& input) {
    input_ = &input;
    posted_.clear();
    inputs_.clear();
    writes_.clear();
    programmer_ = kFirstProgrammer;
    present_ = true;
    fail_next_write_ = false;
}

hid::EventPoster FuzzedHid::poster() {
    return [this](const hid::HidEvent& event) { posted_.push_back(event); };
}

bool FuzzedHid::Connect(hid::EventPoster poster) {
    poster_ = std::move(poster);
    poster_({hid::HidEventKind::Plugged, programmer_});
    poster_({hid::HidEventKind::Changed, 0});
    return true;
}

bool FuzzedHid::Disconnect() {
    poster_ = nullptr;
    return true;
}

std::uint32_t FuzzedHid::GetVendorID(hid::DeviceHandle handle) {
    const bool known = (handle >= kFirstProgrammer && handle <= programmer_) || handle == kOther;
    return known ? protocol::PROG_VID : 0;
}

std::uint32_t FuzzedHid::GetProductID(hid::DeviceHandle handle) {
    if (handle == kOther) {
        return kOtherProduct;
    }
    return handle >= kFirstProgrammer && handle <= programmer_ ? protocol::PROG_PID : 0;
}

hid::DeviceHandle FuzzedHid::GetHandle(std::uint32_t vendor_id, std::uint32_t product_id) {
    const bool programmer = vendor_id == protocol::PROG_VID && product_id == protocol::PROG_PID;
    return programmer && present_ ? programmer_ : 0;
}

bool FuzzedHid::SetReadNotify(hid::DeviceHandle handle, bool) {
    return handle != 0 && handle == programmer_ && present_;
}

bool FuzzedHid::Read(hid::DeviceHandle handle,
                     std::span<std::uint8_t, hid::kHidReportSize> buffer) {
    if (handle != programmer_ || !present_ || inputs_.empty()) {
        return false;
    }
    // As the contract says: at most 65 bytes, the rest zeroed.
    const std::vector<std::uint8_t>& raw = inputs_.front();
    const std::size_t kept = std::min(raw.size(), buffer.size());
    std::fill(std::copy_n(raw.begin(), kept, buffer.begin()), buffer.end(), 0);
    inputs_.pop_front();
    return true;
}

bool FuzzedHid::WriteEx(std::uint32_t vendor_id, std::uint32_t product_id,
                        std::span<const std::uint8_t, hid::kHidReportSize> buffer) {
    WriteAttempt attempt;
    std::copy(buffer.begin(), buffer.end(), attempt.report.begin());
    attempt.written = GetHandle(vendor_id, product_id) != 0 && !fail_next_write_;
    fail_next_write_ = false;
    writes_.push_back(attempt);
    return attempt.written;
}

void FuzzedHid::process_pending_events(Deadline) {
    if (!posted_.empty()) {
        while (!posted_.empty()) {
            const hid::HidEvent event = posted_.front();
            posted_.pop_front();
            dispatch_(event);
        }
        return;
    }
    if (input_->remaining_bytes() == 0) {
        give_up_();
        return;
    }
    happen();
}

void FuzzedHid::happen() {
    switch (input_->ConsumeEnum<Happening>()) {
        case Happening::RawReport: {
            const auto length = input_->ConsumeIntegralInRange<std::size_t>(0, kLongestRawReport);
            answer(input_->ConsumeBytes<std::uint8_t>(length));
            break;
        }
        case Happening::Echo: {
            std::vector<std::uint8_t> report(hid::kHidReportSize, 0);
            if (!writes_.empty()) {
                const std::uint8_t command = writes_.back().report[1];
                report[1] = command;
                report[protocol::kStatusIndex] =
                    command == protocol::kCmdLockBits ? protocol::kLockSuccess : command;
            }
            answer(report);
            break;
        }
        case Happening::StatusOnly: {
            std::vector<std::uint8_t> report(hid::kHidReportSize, 0);
            report[protocol::kStatusIndex] = input_->ConsumeIntegral<std::uint8_t>();
            answer(report);
            break;
        }
        case Happening::Flood: {
            const int count = input_->ConsumeIntegralInRange(1, kLongestFlood);
            std::vector<std::uint8_t> report(hid::kHidReportSize, 0);
            report[protocol::kStatusIndex] = input_->ConsumeIntegral<std::uint8_t>();
            for (int k = 0; k < count; ++k) {
                answer(report);
            }
            break;
        }
        case Happening::EmptyRead:
            dispatch_({hid::HidEventKind::ReadReady, pick_handle()});
            break;
        case Happening::Plugged: {
            const hid::DeviceHandle handle =
                input_->ConsumeBool() ? programmer_ + 1 : pick_handle();
            if (handle == programmer_ + 1 && !present_) {
                programmer_ = handle;
                present_ = true;
            }
            dispatch_({hid::HidEventKind::Plugged, handle});
            break;
        }
        case Happening::Unplugged: {
            const hid::DeviceHandle handle = pick_handle();
            if (handle == programmer_) {
                present_ = false;
                inputs_.clear();
            }
            dispatch_({hid::HidEventKind::Unplugged, handle});
            break;
        }
        case Happening::Changed:
            dispatch_({hid::HidEventKind::Changed, 0});
            break;
        case Happening::UnknownEvent:
            dispatch_(
                {static_cast<hid::HidEventKind>(input_->ConsumeIntegral<int>()), pick_handle()});
            break;
        case Happening::FailNextWrite:
            fail_next_write_ = true;
            break;
        case Happening::Nothing:
            break;
    }
}

void FuzzedHid::answer(std::span<const std::uint8_t> bytes) {
    if (!present_) {
        return;
    }
    inputs_.emplace_back(bytes.begin(), bytes.end());
    dispatch_({hid::HidEventKind::ReadReady, programmer_});
}

hid::DeviceHandle FuzzedHid::pick_handle() {
    switch (input_->ConsumeIntegralInRange(0, 4)) {
        case 0:
            return programmer_;
        case 1:
            return kOther;
        case 2:
            return 0;
        case 3:
            return programmer_ > kFirstProgrammer ? programmer_ - 1 : kFirstProgrammer;
        default:
            return input_->ConsumeIntegral<hid::DeviceHandle>();
    }
}

}  // namespace vantro::fuzz
