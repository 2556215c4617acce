// SPDX-License-Identifier: MIT
#pragma once
// Opening the files the program writes (trace, memory dumps, the chip log) from
// a UTF-8 name, in binary, never inherited by a child and never waiting: a FIFO
// with no reader is refused at once instead of hanging the run.

#include <cstddef>
#include <string>

namespace vantro::platform {

enum class OutputMode { Truncate, Append };

// A descriptor for ::write/::close, or -1 with errno set.
int open_output(const std::string& name, OutputMode mode);

// Writes all `size` bytes to the descriptor, again after an interruption; false
// (errno set) when a write failed.
bool write_all(int fd, const void* data, std::size_t size);

}  // namespace vantro::platform
