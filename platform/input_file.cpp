// SPDX-License-Identifier: MIT
// What both systems share of reading an input file whole.
#include "platform/input_file.h"

namespace vantro::platform {

std::optional<std::string> read_input_file(const std::string& path, std::uint64_t max_size,
                                           InputFailure& failure) {
    std::optional<InputFile> file = InputFile::open(path, max_size, failure);
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const std::ptrdiff_t count = file->read_some(buffer, sizeof buffer, failure);
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            return bytes;
        }
        // The size was checked on opening, but files such as those of /proc claim 0.
        if (bytes.size() + static_cast<std::size_t>(count) > max_size) {
            failure = {InputProblem::TooLarge, {}, 0};
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

}  // namespace vantro::platform
