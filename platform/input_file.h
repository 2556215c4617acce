// SPDX-License-Identifier: MIT
#pragma once
// Reading a file named in UTF-8: only a regular file up to a size, opened without
// ever blocking (no FIFO or device is opened) and read as raw bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vantro::platform {

enum class InputProblem { Missing, NoPermission, Folder, TooLarge, NotRegular, Other };

// Why a file cannot be read. For Other, `error` is the errno value where there is
// one (so the caller can say it in the run's language), else 0 and `system_text`
// holds the system's own words.
struct InputFailure {
    InputProblem problem = InputProblem::Other;
    std::string system_text;
    int error = 0;
};

class InputFile {
public:
    // Opens `path` for reading, or says why not in `failure`. Refuses folders,
    // FIFOs, devices and files over `max_size` bytes.
    static std::optional<InputFile> open(const std::string& path, std::uint64_t max_size,
                                         InputFailure& failure);

    InputFile(InputFile&& other) noexcept : handle_(other.handle_) { other.handle_ = kNoHandle; }
    InputFile& operator=(InputFile&&) = delete;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // Up to `size` bytes: the count read, 0 at the end, -1 on a read error, said in `failure`.
    std::ptrdiff_t read_some(char* buffer, std::size_t size, InputFailure& failure);

private:
    // A file descriptor on POSIX, a HANDLE on Windows; both use -1 for none.
    using NativeHandle = std::intptr_t;
    static constexpr NativeHandle kNoHandle = -1;

    explicit InputFile(NativeHandle handle) : handle_(handle) {}

    NativeHandle handle_ = kNoHandle;
};

// The whole of a regular file of up to `max_size` bytes (also one that claims a
// smaller size than it gives, as those of /proc do), or nothing with `failure` set.
std::optional<std::string> read_input_file(const std::string& path, std::uint64_t max_size,
                                           InputFailure& failure);

}  // namespace vantro::platform
