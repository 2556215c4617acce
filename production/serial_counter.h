// SPDX-License-Identifier: MIT
#pragma once
// The counter file of job files written before records: the next serial number,
// as decimal text. Only read now, once, to seed the job's range in its records.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantro::production {

struct CounterRead {
    std::optional<std::uint64_t> next;  // empty: see problem; both empty: no such file
    std::string problem;                // for the user
};

// The counter file's text as a number: decimal digits, then line ends at most.
std::optional<std::uint64_t> counter_number(std::string_view text);

CounterRead read_counter(const std::string& path);

}  // namespace vantro::production
