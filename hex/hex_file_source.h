// SPDX-License-Identifier: MIT
#pragma once
// Opens a chosen HEX file safely: only a regular file of sane size, never blocking.

#include <cstddef>
#include <optional>
#include <string>

#include "platform/input_file.h"

namespace vantro::hex {

inline constexpr std::size_t kMaxHexFileSize = 16 * 1024 * 1024;

class HexFileSource {
public:
    // Opens `path` (taken as bytes, whatever its encoding) for reading. Refuses
    // directories, FIFOs, devices and files over kMaxHexFileSize; `reason` then
    // says why in the user's language.
    static std::optional<HexFileSource> open(const std::string& path, std::string& reason);

    // Up to `size` bytes: the count read, 0 at the end, -1 on a read error (also
    // when the file turns out longer than kMaxHexFileSize); reason() then says why.
    std::ptrdiff_t read_some(char* buffer, std::size_t size);
    const std::string& reason() const { return reason_; }

    // Why a HEX file cannot be read, in the user's language.
    static std::string refusal_text(const platform::InputFailure& failure);

private:
    explicit HexFileSource(platform::InputFile file) : file_(std::move(file)) {}

    platform::InputFile file_;
    std::size_t total_read_ = 0;
    std::string reason_;
};

}  // namespace vantro::hex
