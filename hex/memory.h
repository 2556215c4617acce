// SPDX-License-Identifier: MIT
#pragma once

namespace vantro::hex {

// The chip's two memories, as every layer names them: the one a HEX file is
// packed for, a backend reads back, a job's serial number goes into.
enum class Memory { Flash, Eeprom };

}  // namespace vantro::hex
