// Which seconds of local time a timer tick stands for. The timer is only
// approximately one second: a tick can be late behind a blocking call, two
// can fall in one second, and the clock itself can be set, step back or jump
// at a daylight-saving change. SecondClock turns ticks into seconds so that
// every second gets its actions once and in order.
#pragma once
#include "ports/platform.h"

class SecondClock {
public:
    // Seconds apart at most for a gap to be caught up (10 missed seconds).
    static constexpr int MaxCatchUp = 11;
    // Seconds back at most that are waited out rather than taken as a new clock.
    static constexpr int MaxStepBack = 10;

    // How many seconds ending at `now` this tick must handle, oldest first
    // (the oldest is AddSeconds(now, 1 - n)):
    // - the first tick: 1, its own second;
    // - the second last handled again (a doubled tick): 0;
    // - up to MaxCatchUp seconds later: every second after the last handled;
    // - up to MaxStepBack seconds earlier: 0, those were handled already,
    //   and the last handled second stays so none is handled twice;
    // - any larger jump either way (clock set, sleep, daylight saving): 1,
    //   and `now` is the second handled last from then on.
    int Due(const LocalTime& now);

private:
    bool started_ = false;
    long long last_ = 0;  // the last second handled, counted from 1970 in local time
};

// The local time `seconds` after `time` (before it when negative), across
// minutes, hours, days, months and years; the millisecond is kept.
LocalTime AddSeconds(const LocalTime& time, long long seconds);
