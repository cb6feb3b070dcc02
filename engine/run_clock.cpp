// The run clock: the one-second tick that schedules everything a run does
// without the operator. Each hour or minute is read from the clock again at
// the test that needs it, and a minute only once the hour matched.
#include <limits>

#include "ports/platform.h"
#include "engine/run_state.h"
#include "peer/actions.h"
#include "ui/sfmMain.h"

static bool ClockAt(Platform& platform, const TTimePicker* picker)
{
    return picker->Hour() == platform.Now().hour && picker->Minute() == platform.Now().minute;
}

void TfmTavrix::OnTimer()
{
    const int second = platform.Now().second;

    if (second == 0) {
        if (cbDelay->Checked() && bRun->Caption() == "STOP" && FState == -1 && ClockAt(platform, dtpDelay)) {
            // A parked run starting its next day had its log closed at the
            // stop time: open it again so the later days are logged too.
            if (!LogOpen)
                OpenActivityLog();
            if (cbCLDec->Checked())
                platform.DeleteFile(FileName(feDecoded->Text()));
            CallStation(rbSKED->Checked() ? eTRCS->Text() : std::string("CQ"));
        }
        if (cbStop->Checked() && FState >= 0 && ClockAt(platform, dtpStop)) {
            StopRun(false);
            return;
        }
    }

    if (second == 59 && cbCLDec->Checked() && platform.Now().minute == 59 && platform.Now().hour == 23)
        platform.DeleteFile(FileName(feDecoded->Text()));

    if (second == 5 || second == 35)
        ScanDecoded();

    if (FState > 0 && TickCount < std::numeric_limits<std::int32_t>::max())
        ++TickCount;

    if (TickCount >= TickLimit && FState > 0)
        SetState(0);
}
