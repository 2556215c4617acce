// SPDX-License-Identifier: MIT
#pragma once
// The counter file: the next serial number, as decimal text. A number is taken by
// locking the counter's lock file, reading it, and replacing it crash-safely with
// the number after it before the number is given out, so no number is ever given
// twice: not after a crash, a kill or a power loss, nor to two jobs sharing it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "production/job_file.h"

namespace vantro::production {

struct CounterRead {
    std::optional<std::uint64_t> next;  // empty: see problem
    std::string problem;                // for the user, when next is empty
};

// The counter file's text as a number: decimal digits, then line ends at most.
std::optional<std::uint64_t> counter_number(std::string_view text);

class SerialCounter {
public:
    // A missing counter file starts at the serial's `first`.
    explicit SerialCounter(const JobSerial& serial) : serial_(serial) {}

    // The next number, read without taking it (for the checks before a job).
    CounterRead peek() const;
    // Takes the next number: the file holds the one after it, on the disk, when
    // this returns a number. A number the format cannot hold is never taken.
    CounterRead take();

    const std::string& path() const { return serial_.counter; }

private:
    JobSerial serial_;
};

}  // namespace vantro::production
