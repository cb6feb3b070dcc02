// The run clock: the one-second tick that schedules everything a run does
// without the operator. The timer is only roughly one second, so a tick
// stands for the seconds of local time that passed since the last one: a
// short gap is caught up second by second, oldest first, and a doubled tick
// does nothing. Each second's tests come in a fixed order: the delayed start
// and the stop time at second 0 (or, following a schedule, its action at
// that UTC second), the nightly clearing at 23:59:59, the scan at seconds 5
// and 35, then the step time-out. The run's own times are local, as the
// operator reads the window; a schedule's are UTC, as skeds are agreed, and
// the decode stamps keep WSJT's clock.
#include <algorithm>
#include <cctype>
#include <limits>
#include <string_view>

#include "engine/run.h"

bool Run::OnTimer()
{
    if (loggers.Sending())
        TellLoggerFault(loggers.Tick(UtcSeconds(platform.UtcNow())));
    const LocalTime now = platform.Now();
    const int due = secondClock.Due(now);
    tickBeforeMidnight = now.hour == 23;
    // The schedule is in UTC: each second caught up is as far back there.
    const std::int64_t utc = skeds.Following() ? UtcSeconds(platform.UtcNow()) : 0;
    for (int back = due - 1; back >= 0; --back) {
        if (OnSecond(AddSeconds(now, -back), utc - back))
            return true;
    }
    return false;
}

bool Run::OnSecond(const LocalTime& time, std::int64_t utc)
{
    if (skeds.Following()) {
        if (skeds.Second(utc))
            return true;
    } else if (time.second == 0) {
        if (choices.DelayTicked() && choices.Armed() && FState == -1 && choices.DelayHour() == time.hour &&
            choices.DelayMinute() == time.minute) {
            // A parked run starting its next day had its log closed at the
            // stop time: open it again so the later days are logged too.
            if (!LogOpen)
                OpenActivityLog();
            if (choices.ClearDecoded())
                platform.DeleteFile(FileName(choices.DecodedText()));
            // Each day's session is a contact of its own with the same
            // station, as a daily sked is.
            workedStations.clear();
            CallStation(CallText());
        }
        if (choices.StopTicked() && FState >= 0 && choices.StopHour() == time.hour &&
            choices.StopMinute() == time.minute)
            return true;
    }

    // Caught up after midnight, the clearing would take the new day's first
    // decodes with it: that night's file is kept instead.
    if (time.second == 59 && time.minute == 59 && time.hour == 23 && tickBeforeMidnight &&
        choices.ClearDecoded())
        platform.DeleteFile(FileName(choices.DecodedText()));

    if (time.second == 5 || time.second == 35)
        ScanDecoded();

    if (FState > 0 && TickCount < std::numeric_limits<std::int32_t>::max())
        ++TickCount;

    if (TickCount >= TickLimit && FState > 0 && !skeds.ReleaseIfDone())
        SetState(0);
    return false;
}

// Read when the scan runs, not for the second it stands for: a scan caught
// up late is as late on either clock, and its stamps are judged by the time
// it really reads the file.
LocalTime Run::StampClockNow()
{
    return localStamps ? platform.Now() : platform.UtcNow();
}

bool ReadLocalStamps(Platform& platform, const std::string& iniPath)
{
    const std::string value = platform.ReadSetting(iniPath, "Options", "DecodeStamps", "");
    constexpr std::string_view local = "local";
    return value.size() == local.size() &&
           std::equal(value.begin(), value.end(), local.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}
