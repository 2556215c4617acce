// SPDX-License-Identifier: MIT
#include "platform/local_time.h"

namespace vantro::platform {

LocalTime local_time(std::time_t seconds) {
    LocalTime local;
    localtime_r(&seconds, &local.fields);
    local.minutes_east_of_utc = local.fields.tm_gmtoff / 60;
    return local;
}

}  // namespace vantro::platform
