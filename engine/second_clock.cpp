// Ticks to seconds: local date-times counted as seconds on one line, so a
// gap across midnight or the year's end is as short as it looks.
#include "engine/second_clock.h"

#include <chrono>

namespace {

using namespace std::chrono;

sys_seconds Since1970(const LocalTime& t)
{
    const sys_days day{year{t.year} / t.month / t.day};
    return sys_seconds{day} + hours{t.hour} + minutes{t.minute} + seconds{t.second};
}

}  // namespace

int SecondClock::Due(const LocalTime& now)
{
    const long long second = Since1970(now).time_since_epoch().count();
    const long long gap = second - last_;
    if (started_ && gap <= 0 && gap >= -MaxStepBack)
        return 0;
    const bool caughtUp = started_ && gap > 0 && gap <= MaxCatchUp;
    started_ = true;
    last_ = second;
    return caughtUp ? int(gap) : 1;
}

LocalTime AddSeconds(const LocalTime& time, long long count)
{
    const sys_seconds moved = Since1970(time) + seconds{count};
    const sys_days day = floor<days>(moved);
    const year_month_day date{day};
    const hh_mm_ss clock{moved - day};
    LocalTime t = time;
    t.year = int(date.year());
    t.month = int(unsigned(date.month()));
    t.day = int(unsigned(date.day()));
    t.hour = int(clock.hours().count());
    t.minute = int(clock.minutes().count());
    t.second = int(clock.seconds().count());
    return t;
}
