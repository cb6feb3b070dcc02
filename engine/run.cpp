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
    const bool found = ::FindWSJT(windows, PeerControls, WinList);
    if (found)
        troubles &= ~PeerGone;
    return found;
}

void Run::Press(PeerSlot slot)
{
    if (!ClickControl(windows, PeerControls[slot]) && PeerControls[slot] != NoPeer)
        troubles |= PeerGone;
}

void Run::Enter(PeerSlot slot, const std::string& text)
{
    if (!SetControlText(windows, PeerControls[slot], text) && PeerControls[slot] != NoPeer)
        troubles |= PeerGone;
}

void Run::Arm()
{
    calledSinceStart = false;
    contactsCompleted = 0;
    lastContactCall.clear();
    troubles = NoTrouble;
    workedStations.clear();
    skeds.Clear();
}

bool Run::CqMode() const
{
    if (skeds.Following())
        return skeds.Current() && skeds.Current()->Cq();
    return choices.CqMode();
}

std::string Run::PartnerText() const
{
    if (skeds.Following())
        return skeds.Current() ? skeds.Current()->station : std::string();
    return choices.PartnerText();
}

std::string Run::CallText() const
{
    return CqMode() ? std::string("CQ") : PartnerText();
}

void Run::CallStation(const std::string& callText)
{
    Enter(pcToRadio, callText);
    Press(pcLookup);
    Press(pcLookup);
    Press(pcGenStd);
    Press(pcGenStd);
    PressAutoWhile(windows, PeerControls[pcAuto], "&Auto is OFF");
    calledSinceStart = true;
    FState = 0;
    TickCount = 0;
    TickLimit = MinutesToSeconds(choices.TimeLimitMinutes());
}

// The log looks for a callsign's first and last three characters: meteor
// pings often bring only part of it.
static std::string FirstChars(const std::string& text, std::size_t n)
{
    return text.substr(0, n);
}

static std::string LastChars(const std::string& text, std::size_t n)
{
    return text.size() <= n ? text : text.substr(text.size() - n);
}

void Run::SetPartner(const std::string& call)
{
    PartnerCall = call;
    Progression[0] = call;
    LogTokens[2] = FirstChars(call, 3);
    LogTokens[3] = LastChars(call, 3);
}

void Run::SetOwnCall(const std::string& call)
{
    LogTokens[0] = FirstChars(call, 3);
    LogTokens[1] = LastChars(call, 3);
}

void Run::ReleaseWSJT()
{
    Enter(pcToRadio, "12345");
    PressAutoWhile(windows, PeerControls[pcAuto], "&Auto is ON");
}

void Run::SetState(std::int32_t state, std::optional<UtcTime> heard)
{
    if (state == FState)
        return;
    if (FState <= 0 && state > 0)
        firstHeard = heard ? *heard : platform.UtcNow();
    const bool completes = state == 4 && FState < 4;
    switch (state) {
    case 0:
        CallStation(CallText());
        break;
    case 1: Press(pcTx2); break;
    case 2: Press(pcTx3); break;
    case 3: Press(pcTx4); break;
    case 4:
        Press(pcTx5);
        TickCount = 0;
        TickLimit = 240;
        break;
    case 5: Press(pcTx6); break;
    default: break;
    }
    FState = state;
    if (completes)
        RecordContact();
}

void Run::RecordContact()
{
    CompletedContact contact;
    contact.cq = CqMode();
    const std::string& station = contact.cq ? caller : PartnerCall;
    contact.partner = RecordedCall(station);
    contact.ownCall = choices.OwnCall();
    contact.firstHeard = firstHeard;
    contact.completed = platform.UtcNow();
    contact.band = contacts.band;
    contact.freq = contacts.freq;
    // The sked's own frequency, as agreed, over the settings' one for all.
    if (const SkedEntry* entry = skeds.Current(); entry && entry->frequency > 0) {
        contact.freq = MhzText(entry->frequency);
        contact.band = AdifBand(entry->frequency);
    }
    skeds.ContactCompleted(UtcSeconds(contact.completed), contact.partner);
    if (RepeatContact(workedStations, contact.partner)) {
        LogNote(contact.partner + " completed again " + (skeds.Following() ? "in this entry" : "in this run") +
                ": a repeat, no second record");
        return;
    }
    // A record without the callsign of the station worked would be no contact at all.
    if (!contact.partner.empty())
        workedStations.push_back(contact.partner);
    if (!contact.partner.empty() && AppendContact(platform, contacts.path, contact))
        troubles &= ~ContactsNotWritten;
    else
        troubles |= ContactsNotWritten;
    if (!contact.partner.empty())
        TellLoggerFault(loggers.Contact(contact));
    ++contactsCompleted;
    lastContactCall = station;
    const LocalTime now = platform.Now();
    lastContactHour = now.hour;
    lastContactMinute = now.minute;
}

void Run::StatusLine(std::string& out)
{
    StatusFacts facts;
    facts.armed = choices.Armed();
    facts.state = FState;
    facts.cq = CqMode();
    facts.calledSinceStart = calledSinceStart;
    facts.partner = facts.cq ? std::string_view(caller) : std::string_view(PartnerCall);
    facts.delay = choices.DelayTicked();
    facts.delayHour = choices.DelayHour();
    facts.delayMinute = choices.DelayMinute();
    facts.tickCount = TickCount;
    facts.tickLimit = TickLimit;
    facts.troubles = troubles;
    facts.contacts = contactsCompleted;
    facts.lastPartner = lastContactCall;
    facts.lastHour = lastContactHour;
    facts.lastMinute = lastContactMinute;
    skeds.FillFacts(facts, UtcSeconds(platform.UtcNow()));
    facts.loggerFault = loggers.Fault();
    StatusText(facts, platform.Now(), out);
}

bool Run::OpenActivityLog()
{
    const std::string logName = choices.LogText();
    if (!platform.FileExists(logName))
        platform.CreateEmptyFile(logName);
    const FileHandle log = platform.OpenForAppend(logName);
    if (log == NoFile) {
        troubles |= LogNotOpen;
        return false;
    }
    LogHandle = log;
    LogOpen = true;
    troubles &= ~LogNotOpen;
    return true;
}

void Run::Stop()
{
    skeds.Stop();
    const std::string home = radio.ReturnHome();
    if (!home.empty())
        LogNote(home);
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
