#include "hex/hex_file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "i18n/texts.h"

namespace vantro::hex {
namespace {

std::string describe_error(int error) {
    switch (error) {
        case ENOENT:
            return tr("o arquivo não existe");
        case EACCES:
        case EPERM:
            return tr("sem permissão de leitura");
        case EISDIR:
            return tr("é uma pasta, não um arquivo");
        case EFBIG:
            return tr("arquivo grande demais para um arquivo HEX (mais de 16 MiB)");
        default:
            return std::strerror(error);
    }
}

// Why a file of this kind and size cannot be a HEX file; empty when it can.
std::string refusal_for(const struct stat& status) {
    if (S_ISDIR(status.st_mode)) {
        return describe_error(EISDIR);
    }
    if (!S_ISREG(status.st_mode)) {
        return tr("não é um arquivo comum");
    }
    if (static_cast<std::size_t>(status.st_size) > kMaxHexFileSize) {
        return describe_error(EFBIG);
    }
    return {};
}

// Why the file cannot be used, after a stat() or fstat() call gave `result` and `status`.
std::string refusal_after(int result, const struct stat& status) {
    return result != 0 ? describe_error(errno) : refusal_for(status);
}

}  // namespace

std::optional<HexFileSource> HexFileSource::open(const std::string& path, std::string& reason) {
    // Checked before opening, so no device or FIFO is ever opened; checked again on
    // the open file in case the name was replaced in between.
    if (path.find('\0') != std::string::npos) {
        // The system would see only the name up to the NUL: another file.
        reason = tr("o nome do arquivo contém um caractere nulo");
        return std::nullopt;
    }
    struct stat status {};
    reason = refusal_after(::stat(path.c_str(), &status), status);
    if (!reason.empty()) {
        return std::nullopt;
    }
    // O_NONBLOCK: should a FIFO take the file's place, opening it must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        reason = describe_error(errno);
        return std::nullopt;
    }
    HexFileSource source(fd);
    reason = refusal_after(::fstat(fd, &status), status);
    if (!reason.empty()) {
        return std::nullopt;
    }
    return source;
}

HexFileSource::HexFileSource(HexFileSource&& other) noexcept
    : fd_(other.fd_), total_read_(other.total_read_), reason_(std::move(other.reason_)) {
    other.fd_ = -1;
}

HexFileSource::~HexFileSource() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::ptrdiff_t HexFileSource::read_some(char* buffer, std::size_t size) {
    ssize_t count = 0;
    do {
        count = ::read(fd_, buffer, size);
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        reason_ = describe_error(errno);
        return -1;
    }
    // The size was checked on opening, but files such as those of /proc claim 0.
    total_read_ += static_cast<std::size_t>(count);
    if (total_read_ > kMaxHexFileSize) {
        reason_ = describe_error(EFBIG);
        return -1;
    }
    return count;
}

}  // namespace vantro::hex
