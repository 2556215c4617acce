// SPDX-License-Identifier: MIT
#include "platform/local_time.h"

namespace vantro::platform {

LocalTime local_time(std::time_t seconds) {
    LocalTime local;
    localtime_s(&local.fields, &seconds);
    // The same fields read as UTC are ahead of the moment by the zone's offset.
    std::tm as_utc = local.fields;
    local.minutes_east_of_utc = static_cast<long>(_mkgmtime(&as_utc) - seconds) / 60;
    return local;
}

}  // namespace vantro::platform
