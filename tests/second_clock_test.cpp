// Ticks to seconds: gaps caught up, doubled ticks and small steps back
// waited out, large jumps taken as a new clock; dates across their ends.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/second_clock.h"

namespace {

// "2026-12-08 23:59:58"
LocalTime At(const char* text)
{
    LocalTime t;
    std::sscanf(text, "%d-%d-%d %d:%d:%d", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    return t;
}

std::string Text(const LocalTime& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

}  // namespace

TEST(SecondClock, SecondsDueAtEachTick)
{
    struct Tick { const char* now; int due; };
    struct Case { const char* what; std::vector<Tick> ticks; };
    const Case cases[] = {
        {"first tick, then every second",
         {{"2026-12-08 12:00:00", 1}, {"2026-12-08 12:00:01", 1}, {"2026-12-08 12:00:02", 1}}},
        {"doubled tick", {{"2026-12-08 12:00:00", 1}, {"2026-12-08 12:00:00", 0}, {"2026-12-08 12:00:01", 1}}},
        {"one second skipped", {{"2026-12-08 12:00:00", 1}, {"2026-12-08 12:00:02", 2}}},
        {"longest gap caught up", {{"2026-12-08 12:00:00", 1}, {"2026-12-08 12:00:11", 11}}},
        {"longer gap: a new clock",
         {{"2026-12-08 12:00:00", 1}, {"2026-12-08 12:00:12", 1}, {"2026-12-08 12:00:13", 1}}},
        {"a few seconds back: waited out",
         {{"2026-12-08 12:00:10", 1}, {"2026-12-08 12:00:07", 0}, {"2026-12-08 12:00:08", 0},
          {"2026-12-08 12:00:10", 0}, {"2026-12-08 12:00:11", 1}}},
        {"longest step back waited out",
         {{"2026-12-08 12:00:20", 1}, {"2026-12-08 12:00:10", 0}, {"2026-12-08 12:00:21", 1}}},
        {"further back: a new clock",
         {{"2026-12-08 12:00:20", 1}, {"2026-12-08 12:00:09", 1}, {"2026-12-08 12:00:11", 2}}},
        {"daylight saving ends", {{"2026-10-25 03:00:00", 1}, {"2026-10-25 02:00:01", 1}}},
        {"clock set an hour on", {{"2026-12-08 12:00:00", 1}, {"2026-12-08 13:00:00", 1}, {"2026-12-08 13:00:02", 2}}},
        {"same time a day later", {{"2026-12-08 12:00:00", 1}, {"2026-12-09 12:00:05", 1}}},
        {"across midnight", {{"2026-12-08 23:59:58", 1}, {"2026-12-09 00:00:01", 3}}},
        {"across the month's end", {{"2026-02-28 23:59:59", 1}, {"2026-03-01 00:00:02", 3}}},
        {"across the year's end", {{"2026-12-31 23:59:59", 1}, {"2027-01-01 00:00:00", 1}}},
        {"back across midnight", {{"2026-12-09 00:00:02", 1}, {"2026-12-08 23:59:59", 0}, {"2026-12-09 00:00:03", 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SecondClock clock;
        for (const Tick& tick : c.ticks)
            EXPECT_EQ(clock.Due(At(tick.now)), tick.due) << tick.now;
    }
}

TEST(SecondClock, AddSecondsCrossesEveryBoundary)
{
    struct Case { const char* from; long long seconds; const char* to; };
    const Case cases[] = {
        {"2026-12-08 12:00:00", 0, "2026-12-08 12:00:00"},
        {"2026-12-08 12:00:59", 1, "2026-12-08 12:01:00"},
        {"2026-12-08 12:59:59", 1, "2026-12-08 13:00:00"},
        {"2026-12-08 23:59:59", 1, "2026-12-09 00:00:00"},
        {"2026-11-30 23:59:58", 3, "2026-12-01 00:00:01"},
        {"2026-12-31 23:59:59", 1, "2027-01-01 00:00:00"},
        {"2028-02-28 23:59:59", 1, "2028-02-29 00:00:00"},
        {"2027-02-28 23:59:59", 1, "2027-03-01 00:00:00"},
        {"2026-12-09 00:00:01", -3, "2026-12-08 23:59:58"},
        {"2027-01-01 00:00:00", -1, "2026-12-31 23:59:59"},
        {"2026-03-01 00:00:00", -1, "2026-02-28 23:59:59"},
        {"2026-12-08 12:00:00", 86400, "2026-12-09 12:00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(AddSeconds(At(c.from), c.seconds)), c.to) << c.from << " + " << c.seconds;

    LocalTime withMs = At("2026-12-08 12:00:59");
    withMs.millisecond = 250;
    EXPECT_EQ(AddSeconds(withMs, 1).millisecond, 250);
}

// How a tick replays what it is due, oldest first, ending at its own second.
TEST(SecondClock, ReplayedSecondsEndAtTheTick)
{
    SecondClock clock;
    clock.Due(At("2026-12-08 23:59:57"));
    const LocalTime now = At("2026-12-09 00:00:01");
    std::vector<std::string> replayed;
    for (int k = clock.Due(now) - 1; k >= 0; --k)
        replayed.push_back(Text(AddSeconds(now, -k)));
    EXPECT_EQ(replayed, (std::vector<std::string>{"2026-12-08 23:59:58", "2026-12-08 23:59:59",
                                                  "2026-12-09 00:00:00", "2026-12-09 00:00:01"}));
}
