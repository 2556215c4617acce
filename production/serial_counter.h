// SPDX-License-Identifier: MIT
#pragma once
// The counter file: the next serial number, as decimal text. A number is taken by
// locking the counter's lock file, reading it, and replacing it crash-safely with
// the number after it before the number is given out, so no number is ever given
// twice: not after a crash, a kill or a power loss, nor to two jobs sharing it.

#include <cstdint>
#include <optional>
#include <string>

namespace vantro::production {

struct CounterRead {
    std::optional<std::uint64_t> next;  // empty: see problem
    std::string problem;                // for the user, when next is empty
};

class SerialCounter {
public:
    // `first` is the number a missing counter file starts at.
    SerialCounter(std::string path, std::uint64_t first, std::uint64_t step)
        : path_(std::move(path)), first_(first), step_(step) {}

    // The next number, read without taking it (for the checks before a job).
    CounterRead peek() const;
    // Takes the next number: the file holds the one after it, on the disk, when
    // this returns a number.
    CounterRead take();

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::uint64_t first_;
    std::uint64_t step_;
};

}  // namespace vantro::production
