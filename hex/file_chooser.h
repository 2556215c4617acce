// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vantro::hex {

// The HEX file choice (the window's open dialog, the CLI's argument).
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file's path; empty when the user chose none.
    virtual std::string choose_hex_file() = 0;
};

}  // namespace vantro::hex
