// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vantro::ops {

// The four command buttons' operations, for owners that pick one by name.
enum class Operation { Erase, Flash, Eeprom, Lock };

// The lock bits a lock-bit write sets.
struct LockBits {
    bool lb1 = false;
    bool lb2 = false;
    bool lb3 = false;
};

// What the front-end that starts an operation hands down with it: the HEX file of a
// FLASH or EEPROM run (empty: none was chosen) and the lock bits of a lock-bit write.
struct OperationInput {
    std::string hex_path;
    LockBits lock_bits;
};

}  // namespace vantro::ops
