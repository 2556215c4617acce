// SPDX-License-Identifier: MIT
#pragma once
// Output reports as the program builds them: a data report is pre-filled with
// 0xFF (index 64 stays 0), then its slots are written.

#include <cstdint>
#include <vector>

#include "protocol/report.h"

namespace vantro::testing {

inline protocol::Report command_report(std::uint8_t command, std::uint8_t payload = 0) {
    protocol::Report report{};
    report[1] = command;
    report[2] = payload;
    return report;
}

inline protocol::Report data_report(std::uint8_t command) {
    protocol::Report report{};
    for (std::size_t i = 0; i < 64; ++i) {
        report[i] = 0xFF;
    }
    report[0] = 0;
    report[1] = command;
    return report;
}

// slot: 0, 1 or 2; data: up to 16 bytes, the rest of the slot stays 0xFF.
inline void set_slot(protocol::Report& report, std::size_t slot, std::uint8_t marker,
                     std::uint16_t address, const std::vector<std::uint8_t>& data) {
    const std::size_t base = 2 + slot * 19;
    report[base] = marker;
    report[base + 1] = static_cast<std::uint8_t>(address >> 8);
    report[base + 2] = static_cast<std::uint8_t>(address & 0xFF);
    std::size_t n = 0;
    for (const std::uint8_t byte : data) {
        report[base + 3 + n++] = byte;
    }
}

}  // namespace vantro::testing
