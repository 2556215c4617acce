// SPDX-License-Identifier: MIT
#include "hid/tracing_hid_library.h"

namespace vantro::hid {

bool TracingHidLibrary::WriteEx(std::uint32_t vid, std::uint32_t pid,
                                std::span<const std::uint8_t, kHidReportSize> buffer) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(2 * kHidReportSize + 1);
    for (const std::uint8_t byte : buffer) {
        line.push_back(kDigits[byte >> 4]);
        line.push_back(kDigits[byte & 0x0F]);
    }
    line.push_back('\n');
    // Flushed per report so the trace is complete up to a crash or a kill.
    trace_ << line << std::flush;
    return inner_.WriteEx(vid, pid, buffer);
}

}  // namespace vantro::hid
