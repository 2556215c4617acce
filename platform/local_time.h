// SPDX-License-Identifier: MIT
#pragma once
// The calendar time where the program runs, and how far that is from UTC.

#include <ctime>

namespace vantro::platform {

struct LocalTime {
    std::tm fields{};
    long minutes_east_of_utc = 0;
};

LocalTime local_time(std::time_t seconds);

}  // namespace vantro::platform
