// The run's own actions: the call and release sequences on WSJT, the Tx
// button of each state, and the activity log.
#include "engine/run.h"

#include <cmath>
#include <limits>

Run::Run(Platform& platform, WindowSystem& windows, const RunChoices& choices)
    : platform(platform), windows(windows), choices(choices)
{
    LogTokens[4] = " 27";
    LogTokens[5] = "R27";
    LogTokens[6] = "RRR";
    LogTokens[7] = "73";
    Progression[1] = "27";
    Progression[2] = "R27";
    Progression[3] = "RRR";
    Progression[4] = "73";
}

bool Run::FindWSJT()
{
    return ::FindWSJT(windows, PeerControls, WinList);
}

void Run::CallStation(const std::string& callText)
{
    SetControlText(windows, PeerControls[pcToRadio], callText);
    ClickControl(windows, PeerControls[pcLookup]);
    ClickControl(windows, PeerControls[pcLookup]);
    ClickControl(windows, PeerControls[pcGenStd]);
    ClickControl(windows, PeerControls[pcGenStd]);
    PressAutoWhile(windows, PeerControls[pcAuto], "&Auto is OFF");
    FState = 0;
    TickCount = 0;
    TickLimit = MinutesToSeconds(choices.TimeLimitMinutes());
}

void Run::ReleaseWSJT()
{
    SetControlText(windows, PeerControls[pcToRadio], "12345");
    PressAutoWhile(windows, PeerControls[pcAuto], "&Auto is ON");
}

void Run::SetState(std::int32_t state)
{
    if (state == FState)
        return;
    if (FState <= 0 && state > 0)
        firstHeard = platform.UtcNow();
    const bool completes = state == 4 && FState < 4;
    switch (state) {
    case 0:
        CallStation(choices.SkedMode() ? choices.PartnerText() : std::string("CQ"));
        break;
    case 1: ClickControl(windows, PeerControls[pcTx2]); break;
    case 2: ClickControl(windows, PeerControls[pcTx3]); break;
    case 3: ClickControl(windows, PeerControls[pcTx4]); break;
    case 4:
        ClickControl(windows, PeerControls[pcTx5]);
        TickCount = 0;
        TickLimit = 240;
        break;
    case 5: ClickControl(windows, PeerControls[pcTx6]); break;
    default: break;
    }
    FState = state;
    if (completes)
        RecordContact();
}

void Run::RecordContact()
{
    CompletedContact contact;
    contact.cq = choices.CqMode();
    contact.partner = contact.cq ? caller : PartnerCall;
    contact.ownCall = choices.OwnCall();
    contact.firstHeard = firstHeard;
    contact.completed = platform.UtcNow();
    contact.band = contacts.band;
    contact.freq = contacts.freq;
    contactWriteFailed = !AppendContact(platform, contacts.path, contact);
}

bool Run::OpenActivityLog()
{
    const std::string logName = choices.LogText();
    if (!platform.FileExists(logName))
        platform.CreateEmptyFile(logName);
    const FileHandle log = platform.OpenForAppend(logName);
    if (log == NoFile)
        return false;
    LogHandle = log;
    LogOpen = true;
    return true;
}

void Run::Stop()
{
    if (LogOpen) {
        platform.CloseFile(LogHandle);
        LogOpen = false;
    }
    if (FState >= 0) {
        ReleaseWSJT();
        FState = -1;
    }
}

std::string FileName(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

static std::int32_t ClampToInt32(double value)
{
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value))
        return 0;
    if (value <= lo)
        return std::numeric_limits<std::int32_t>::min();
    if (value >= hi)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

// std::nearbyint rounds in the current mode, which is to-nearest-even unless
// somebody changed it; this program never does.
std::int32_t RoundMinutes(double minutes)
{
    return ClampToInt32(std::nearbyint(minutes));
}

std::int32_t MinutesToSeconds(double minutes)
{
    if (std::isnan(minutes))
        return 0;
    return ClampToInt32(std::nearbyint(minutes) * 60.0);
}
