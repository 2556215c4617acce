// SPDX-License-Identifier: MIT
#pragma once

namespace vantro::ops {

// The four command buttons' operations, for owners that pick one by name.
enum class Operation { Erase, Flash, Eeprom, Lock };

}  // namespace vantro::ops
