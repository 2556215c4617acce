// SPDX-License-Identifier: MIT
#pragma once
// Opens a chosen HEX file safely: only a regular file of sane size, never blocking.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vantro::hex {

inline constexpr std::size_t kMaxHexFileSize = 16 * 1024 * 1024;

class HexFileSource {
public:
    // Opens `path` (taken as bytes, whatever its encoding) for reading. Refuses
    // directories, FIFOs, devices and files over kMaxHexFileSize; `reason` then
    // says why in the user's language.
    static std::optional<HexFileSource> open(const std::string& path, std::string& reason);

    HexFileSource(HexFileSource&& other) noexcept;
    HexFileSource& operator=(HexFileSource&&) = delete;
    HexFileSource(const HexFileSource&) = delete;
    HexFileSource& operator=(const HexFileSource&) = delete;
    ~HexFileSource();

    // Up to `size` bytes: the count read, 0 at the end, -1 on a read error (also
    // when the file turns out longer than kMaxHexFileSize); reason() then says why.
    std::ptrdiff_t read_some(char* buffer, std::size_t size);
    const std::string& reason() const { return reason_; }

private:
    // A file descriptor on POSIX, a HANDLE on Windows; both use -1 for none.
    using NativeHandle = std::intptr_t;
    static constexpr NativeHandle kNoHandle = -1;
    enum class Refusal { Missing, NoPermission, Folder, TooLarge, NotRegular };

    explicit HexFileSource(NativeHandle handle) : handle_(handle) {}
    static std::string refusal_text(Refusal refusal);
    // The system's side, one file per platform; failures set `reason`.
    static NativeHandle open_native(const std::string& path, std::string& reason);
    static std::ptrdiff_t read_native(NativeHandle handle, char* buffer, std::size_t size,
                                      std::string& reason);
    static void close_native(NativeHandle handle);
    // The text for an errno on POSIX, for a GetLastError() code on Windows.
    static std::string describe_error(unsigned long error);

    NativeHandle handle_ = kNoHandle;
    std::size_t total_read_ = 0;
    std::string reason_;
};

}  // namespace vantro::hex
