// SPDX-License-Identifier: MIT
#pragma once
// Making what was written to a file survive a crash, a kill or a power loss.

namespace vantro::platform {

// Flushes what was written to the descriptor to the disk; false (errno set) when it failed.
bool flush_to_disk(int fd);

}  // namespace vantro::platform
