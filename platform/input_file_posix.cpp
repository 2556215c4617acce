// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/input_file.h"

namespace vantro::platform {
namespace {

InputFailure failure_for(int error) {
    switch (error) {
        case ENOENT:
            return {InputProblem::Missing, {}};
        case EACCES:
        case EPERM:
            return {InputProblem::NoPermission, {}};
        case EISDIR:
            return {InputProblem::Folder, {}};
        case EFBIG:
            return {InputProblem::TooLarge, {}};
        default:
            return {InputProblem::Other, std::strerror(error), error};
    }
}

// Why the file cannot be used, after a stat() or fstat() call gave `result` and
// `status`; nullopt when it can.
std::optional<InputFailure> refusal_after(int result, const struct stat& status,
                                          std::uint64_t max_size) {
    if (result != 0) {
        return failure_for(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        return InputFailure{InputProblem::Folder, {}};
    }
    if (!S_ISREG(status.st_mode)) {
        return InputFailure{InputProblem::NotRegular, {}};
    }
    if (static_cast<std::uint64_t>(status.st_size) > max_size) {
        return InputFailure{InputProblem::TooLarge, {}};
    }
    return std::nullopt;
}

}  // namespace

std::optional<InputFile> InputFile::open(const std::string& path, std::uint64_t max_size,
                                         InputFailure& failure) {
    // Checked before opening, so no device or FIFO is ever opened; checked again on
    // the open file in case the name was replaced in between.
    struct stat status {};
    if (auto refusal = refusal_after(::stat(path.c_str(), &status), status, max_size)) {
        failure = std::move(*refusal);
        return std::nullopt;
    }
    // O_NONBLOCK: should a FIFO take the file's place, opening it must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        failure = failure_for(errno);
        return std::nullopt;
    }
    if (auto refusal = refusal_after(::fstat(fd, &status), status, max_size)) {
        failure = std::move(*refusal);
        ::close(fd);
        return std::nullopt;
    }
    return InputFile(fd);
}

InputFile::~InputFile() {
    if (handle_ != kNoHandle) {
        ::close(static_cast<int>(handle_));
    }
}

std::ptrdiff_t InputFile::read_some(char* buffer, std::size_t size, InputFailure& failure) {
    ssize_t count = 0;
    do {
        count = ::read(static_cast<int>(handle_), buffer, size);
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        failure = failure_for(errno);
        return -1;
    }
    return count;
}

}  // namespace vantro::platform
