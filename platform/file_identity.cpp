// SPDX-License-Identifier: MIT
#include "platform/file_identity.h"

#include <filesystem>

#include "platform/utf8.h"

namespace vantro::platform {

namespace {

// The name with its symbolic links followed as far as they lead, also to a file
// not yet made (a dangling link names the file a write would create).
std::filesystem::path resolved(const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::path path = fs::absolute(path_from_utf8(name), ignored).lexically_normal();
    // A bound, as the system's own: a loop of links resolves to nothing new.
    for (int hops = 0; hops < 40 && fs::is_symlink(path, ignored); ++hops) {
        const fs::path target = fs::read_symlink(path, ignored);
        if (ignored) {
            break;
        }
        path = (path.parent_path() / target).lexically_normal();
    }
    // The folders on the way may be links too.
    const fs::path canonical = fs::weakly_canonical(path, ignored);
    return ignored ? path : canonical;
}

}  // namespace

bool same_file(const std::string& a, const std::string& b) {
    if (resolved(a) == resolved(b)) {
        return true;
    }
    const auto first = file_identity(a);
    return first && first == file_identity(b);
}

}  // namespace vantro::platform
