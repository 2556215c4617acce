// SPDX-License-Identifier: MIT
#pragma once
// The system's reason for a failed file operation, in the run's language: the C
// library's own text is English whatever the run speaks.

#include <string>

namespace vantro {

// The text for an errno value, to stand inside a sentence.
std::string system_error_text(int error);

}  // namespace vantro
