// SPDX-License-Identifier: MIT
// clang-format off
#include <windows.h>
#include <bcrypt.h>
// clang-format on

#include "platform/sha256.h"

namespace vantro::platform {

std::string sha256_hex(std::span<const std::uint8_t> bytes) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0) {
        return {};
    }
    BCRYPT_HASH_HANDLE hash = nullptr;
    unsigned char digest[32];
    const bool hashed = BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) == 0 &&
                        BCryptHashData(hash, const_cast<PUCHAR>(bytes.data()),
                                       static_cast<ULONG>(bytes.size()), 0) == 0 &&
                        BCryptFinishHash(hash, digest, sizeof digest, 0) == 0;
    if (hash != nullptr) {
        BCryptDestroyHash(hash);
    }
    BCryptCloseAlgorithmProvider(algorithm, 0);
    return hashed ? hex_digits(digest) : std::string();
}

}  // namespace vantro::platform
