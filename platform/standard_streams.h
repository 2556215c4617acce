// SPDX-License-Identifier: MIT
#pragma once

namespace vantro::platform {

// Opens /dev/null (NUL on Windows) on any of descriptors 0, 1 and 2 that is closed. Called first
// in main, before anything else is opened: a file or device opened while one of
// them is closed would take its number, and texts meant for stderr would land in
// a trace file, or reports on a hidraw node.
void ensure_standard_streams();

}  // namespace vantro::platform
