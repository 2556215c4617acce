// SPDX-License-Identifier: MIT
#pragma once
// Whether two names reach one file: the same name written differently, or links
// (hard or symbolic) to one file, as the file system identifies it.

#include <optional>
#include <string>
#include <utility>

namespace vantro::platform {

// Names in UTF-8. A name that does not exist yet matches itself, and a symbolic
// link to it.
bool same_file(const std::string& a, const std::string& b);

// The file system's identity of an existing file (its device or volume, and its
// number there); nothing when it does not exist.
using FileIdentity = std::pair<unsigned long long, unsigned long long>;
std::optional<FileIdentity> file_identity(const std::string& name);

}  // namespace vantro::platform
