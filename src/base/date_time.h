// A local date and time as the caller read it from the clock: recovery file
// names and the date forms are made from it.
#pragma once

namespace quivra::base {

struct DateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

} // namespace quivra::base
