// The schedule in time: UTC seconds, each entry's occurrences, START's
// checks, and what a run following it must do at each second.
#include <chrono>

#include "engine/schedule.h"

namespace {

using namespace std::chrono;

constexpr std::int64_t SecondsPerDay = 24 * 3600;
constexpr int MinutesPerDay = 24 * 60;

struct Occurrence {
    std::int64_t start = 0, end = 0;
};

std::int64_t DayNumber(int year, int month, int day)
{
    const sys_days date{std::chrono::year{year} / month / day};
    return date.time_since_epoch().count();
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

Occurrence OnDay(const SkedEntry& entry, std::int64_t day)
{
    const std::int64_t start = day * SecondsPerDay + entry.start * 60;
    const int minutes = (entry.end - entry.start + MinutesPerDay) % MinutesPerDay;
    return {start, start + minutes * 60};
}

// The occurrence of an entry running at `now`, else the first one after
// it; false for a dated entry that has ended by then.
bool CurrentOrNext(const SkedEntry& entry, std::int64_t now, Occurrence& found)
{
    if (!entry.EveryDay()) {
        found = OnDay(entry, DayNumber(entry.year, entry.month, entry.day));
        return found.end > now;
    }
    // Yesterday's may still run past midnight; tomorrow's always lies ahead.
    const std::int64_t today = FloorDiv(now, SecondsPerDay);
    for (std::int64_t day = today - 1;; ++day) {
        found = OnDay(entry, day);
        if (found.end > now)
            return true;
    }
}

// Whether two entries ever run at the same time: their occurrences around
// one day, the dated one's if there is one. An occurrence is shorter than a
// day, so two days either side cover every meeting.
bool Overlap(const SkedEntry& a, const SkedEntry& b)
{
    std::int64_t around = 0;
    if (!a.EveryDay())
        around = DayNumber(a.year, a.month, a.day);
    else if (!b.EveryDay())
        around = DayNumber(b.year, b.month, b.day);
    for (std::int64_t da = around - 1; da <= around + 1; ++da) {
        const Occurrence oa = OnDay(a, a.EveryDay() ? da : around);
        for (std::int64_t db = around - 2; db <= around + 2; ++db) {
            const Occurrence ob = OnDay(b, b.EveryDay() ? db : DayNumber(b.year, b.month, b.day));
            if (oa.start < ob.end && ob.start < oa.end)
                return true;
        }
    }
    return false;
}

}  // namespace

std::int64_t UtcSeconds(const UtcTime& time)
{
    return DayNumber(time.year, time.month, time.day) * SecondsPerDay + time.hour * 3600 + time.minute * 60 +
           time.second;
}

UtcTime UtcTimeOf(std::int64_t seconds)
{
    const std::int64_t day = FloorDiv(seconds, SecondsPerDay);
    const year_month_day date{sys_days{days{day}}};
    const std::int64_t inDay = seconds - day * SecondsPerDay;
    UtcTime time;
    time.year = int(date.year());
    time.month = int(unsigned(date.month()));
    time.day = int(unsigned(date.day()));
    time.hour = int(inDay / 3600);
    time.minute = int(inDay / 60 % 60);
    time.second = int(inDay % 60);
    return time;
}

bool CheckSchedule(const std::vector<SkedLine>& lines, std::int64_t now, ScheduleProblem& problem)
{
    std::vector<std::size_t> entryLines;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].entry)
            entryLines.push_back(i);
    for (std::size_t j = 1; j < entryLines.size(); ++j) {
        const SkedLine& later = lines[entryLines[j]];
        for (std::size_t i = 0; i < j; ++i) {
            const SkedLine& earlier = lines[entryLines[i]];
            if (Overlap(earlier.sked, later.sked)) {
                problem = {int(entryLines[j]) + 1, "this entry overlaps the one on line " +
                                                       std::to_string(entryLines[i] + 1) + " (" +
                                                       FormatSkedEntry(earlier.sked) + ")"};
                return false;
            }
        }
    }
    if (entryLines.empty()) {
        problem = {0, "the schedule has no entries"};
        return false;
    }
    if (WhereInSchedule(EntriesOf(lines), now).kind == SkedPosition::Done) {
        problem = {0, NothingLeftToFollow};
        return false;
    }
    return true;
}

SkedPosition WhereInSchedule(const std::vector<SkedEntry>& entries, std::int64_t now)
{
    SkedPosition position;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Occurrence o;
        if (!CurrentOrNext(entries[i], now, o))
            continue;
        if (o.start <= now && position.kind != SkedPosition::Running) {
            // Overlaps were refused at START: the first in file order runs.
            position = {SkedPosition::Running, int(i), o.start, o.end};
        } else if (o.start > now && (position.kind == SkedPosition::Done ||
                                     (position.kind == SkedPosition::Waiting && o.start < position.start))) {
            position = {SkedPosition::Waiting, int(i), o.start, o.end};
        }
    }
    // Done only when nothing is left to come: an every-day entry always
    // comes again, so a daily CQ slot outlives the dated skeds around it.
    return position;
}

SkedTime EntryTime(const std::vector<SkedEntry>& entries, std::size_t index, std::int64_t now)
{
    Occurrence own;
    if (!CurrentOrNext(entries[index], now, own) || WhereInSchedule(entries, now).kind == SkedPosition::Done)
        return SkedTime::Past;
    if (own.start <= now)
        return SkedTime::Now;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Occurrence o;
        if (i == index || !CurrentOrNext(entries[i], now, o) || o.start <= now)
            continue;
        if (o.start < own.start || (o.start == own.start && i < index))
            return SkedTime::Later;
    }
    return SkedTime::Next;
}

SkedAction NextSkedAction(const std::vector<SkedEntry>& entries, std::int64_t now, const SkedRunning& running)
{
    const SkedPosition at = WhereInSchedule(entries, now);
    const bool starts = at.kind == SkedPosition::Running;
    if (running.entry < 0) {
        if (starts)
            return {SkedAction::Start, -1, at.entry};
        return {at.kind == SkedPosition::Done ? SkedAction::Done : SkedAction::Nothing};
    }
    if (starts && at.entry == running.entry && at.start == running.start) {
        const bool minuteOn = now > running.since && (now - running.since) % 60 == 0;
        const bool again = running.wsjtMissing || running.frequencyNotSet;
        return {again && minuteOn ? SkedAction::LookAgain : SkedAction::Nothing};
    }
    if (starts)
        return {SkedAction::EndAndStart, running.entry, at.entry};
    return {at.kind == SkedPosition::Done ? SkedAction::Done : SkedAction::End, running.entry};
}

const char* SkedTimeText(SkedTime time)
{
    switch (time) {
    case SkedTime::Past: return "past";
    case SkedTime::Now: return "now";
    case SkedTime::Next: return "next";
    case SkedTime::Later: return "later";
    }
    return "";
}
