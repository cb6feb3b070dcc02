// The run clock: the one-second tick that schedules everything a run does
// without the operator. Each hour or minute is read from the clock again at
// the test that needs it, and a minute only once the hour matched.
#include <limits>

#include "engine/run.h"

bool Run::OnTimer()
{
    const int second = platform.Now().second;

    if (second == 0) {
        if (choices.DelayTicked() && choices.Armed() && FState == -1 && choices.DelayHour() == platform.Now().hour &&
            choices.DelayMinute() == platform.Now().minute) {
            // A parked run starting its next day had its log closed at the
            // stop time: open it again so the later days are logged too.
            if (!LogOpen)
                OpenActivityLog();
            if (choices.ClearDecoded())
                platform.DeleteFile(FileName(choices.DecodedText()));
            CallStation(choices.SkedMode() ? choices.PartnerText() : std::string("CQ"));
        }
        if (choices.StopTicked() && FState >= 0 && choices.StopHour() == platform.Now().hour &&
            choices.StopMinute() == platform.Now().minute)
            return true;
    }

    if (second == 59 && choices.ClearDecoded() && platform.Now().minute == 59 && platform.Now().hour == 23)
        platform.DeleteFile(FileName(choices.DecodedText()));

    if (second == 5 || second == 35)
        ScanDecoded();

    if (FState > 0 && TickCount < std::numeric_limits<std::int32_t>::max())
        ++TickCount;

    if (TickCount >= TickLimit && FState > 0)
        SetState(0);
    return false;
}
