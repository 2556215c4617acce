// SPDX-License-Identifier: MIT
#include <openssl/evp.h>

#include "platform/sha256.h"

namespace vantro::platform {

std::string sha256_hex(std::span<const std::uint8_t> bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1) {
        return {};
    }
    return hex_digits({digest, length});
}

}  // namespace vantro::platform
