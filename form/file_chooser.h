// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vantro::form {

// The window's choice of a HEX file on a click (its open dialog); tests script it.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file's path; empty when the user chose none.
    virtual std::string choose_hex_file() = 0;
};

}  // namespace vantro::form
