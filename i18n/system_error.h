// SPDX-License-Identifier: MIT
#pragma once
// The system's reason for a failed file operation, in the run's language: the C
// library's own text is English whatever the run speaks.

#include <string>

namespace vantro {

namespace platform {
struct InputFailure;
}

// The text for an errno value, to stand inside a sentence.
std::string system_error_text(int error);

// Why an input file cannot be read, to stand inside a sentence; `too_large` is
// said of a file over the reader's size cap.
std::string input_failure_text(const platform::InputFailure& failure, const std::string& too_large);

}  // namespace vantro
