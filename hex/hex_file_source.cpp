// SPDX-License-Identifier: MIT
#include "hex/hex_file_source.h"

#include "i18n/system_error.h"
#include "i18n/texts.h"

namespace vantro::hex {

std::string HexFileSource::refusal_text(const platform::InputFailure& failure) {
    return input_failure_text(failure,
                              tr("arquivo grande demais para um arquivo HEX (mais de 16 MiB)"));
}

std::optional<HexFileSource> HexFileSource::open(const std::string& path, std::string& reason) {
    if (path.find('\0') != std::string::npos) {
        // The system would see only the name up to the NUL: another file.
        reason = tr("o nome do arquivo contém um caractere nulo");
        return std::nullopt;
    }
    platform::InputFailure failure;
    std::optional<platform::InputFile> file =
        platform::InputFile::open(path, kMaxHexFileSize, failure);
    if (!file) {
        reason = refusal_text(failure);
        return std::nullopt;
    }
    return HexFileSource(std::move(*file));
}

std::ptrdiff_t HexFileSource::read_some(char* buffer, std::size_t size) {
    platform::InputFailure failure;
    const std::ptrdiff_t count = file_.read_some(buffer, size, failure);
    if (count < 0) {
        reason_ = refusal_text(failure);
        return -1;
    }
    // The size was checked on opening, but files such as those of /proc claim 0.
    total_read_ += static_cast<std::size_t>(count);
    if (total_read_ > kMaxHexFileSize) {
        reason_ = refusal_text({platform::InputProblem::TooLarge, {}});
        return -1;
    }
    return count;
}

}  // namespace vantro::hex
