// SPDX-License-Identifier: MIT
#include "hex/hex_file_source.h"

#include "i18n/texts.h"

namespace vantro::hex {

std::string HexFileSource::refusal_text(Refusal refusal) {
    switch (refusal) {
        case Refusal::Missing:
            return tr("o arquivo não existe");
        case Refusal::NoPermission:
            return tr("sem permissão de leitura");
        case Refusal::Folder:
            return tr("é uma pasta, não um arquivo");
        case Refusal::TooLarge:
            return tr("arquivo grande demais para um arquivo HEX (mais de 16 MiB)");
        case Refusal::NotRegular:
            break;
    }
    return tr("não é um arquivo comum");
}

std::optional<HexFileSource> HexFileSource::open(const std::string& path, std::string& reason) {
    if (path.find('\0') != std::string::npos) {
        // The system would see only the name up to the NUL: another file.
        reason = tr("o nome do arquivo contém um caractere nulo");
        return std::nullopt;
    }
    const NativeHandle handle = open_native(path, reason);
    if (handle == kNoHandle) {
        return std::nullopt;
    }
    return HexFileSource(handle);
}

HexFileSource::HexFileSource(HexFileSource&& other) noexcept
    : handle_(other.handle_), total_read_(other.total_read_), reason_(std::move(other.reason_)) {
    other.handle_ = kNoHandle;
}

HexFileSource::~HexFileSource() {
    if (handle_ != kNoHandle) {
        close_native(handle_);
    }
}

std::ptrdiff_t HexFileSource::read_some(char* buffer, std::size_t size) {
    const std::ptrdiff_t count = read_native(handle_, buffer, size, reason_);
    if (count < 0) {
        return -1;
    }
    // The size was checked on opening, but files such as those of /proc claim 0.
    total_read_ += static_cast<std::size_t>(count);
    if (total_read_ > kMaxHexFileSize) {
        reason_ = refusal_text(Refusal::TooLarge);
        return -1;
    }
    return count;
}

}  // namespace vantro::hex
