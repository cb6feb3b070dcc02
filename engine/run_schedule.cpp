// A run following the schedule of skeds: at each entry's start second it
// looks for WSJT again and calls the entry's station or CQ; at its end it
// releases WSJT and parks until the next. What to do at a second is decided
// by NextSkedAction; here it is done.
#include "engine/clock_text.h"
#include "engine/run.h"

bool Run::CqMode() const
{
    if (following_)
        return sked_.entry >= 0 && schedule[sked_.entry].Cq();
    return choices.CqMode();
}

std::string Run::PartnerText() const
{
    if (following_)
        return sked_.entry >= 0 ? schedule[sked_.entry].station : std::string();
    return choices.PartnerText();
}

void Run::FollowSchedule(std::vector<SkedEntry> entries)
{
    schedule = std::move(entries);
    skedContacts_.assign(schedule.size(), -1);
    following_ = true;
    skedsDone_ = false;
    sked_ = {};
    // Parked until an entry runs, whatever START did before.
    EndEntry();
    FollowSecond(UtcSeconds(platform.UtcNow()));
}

bool Run::FollowSecond(std::int64_t utc)
{
    const SkedAction action = NextSkedAction(schedule, utc, sked_);
    switch (action.kind) {
    case SkedAction::Nothing:
        // WSJT closed during a sked: its contact is lost, and WSJT is
        // looked for each minute as at a start.
        if (sked_.entry >= 0 && !sked_.wsjtMissing && (troubles & PeerGone)) {
            sked_.wsjtMissing = true;
            sked_.since = utc;
            FState = -1;
        }
        break;
    case SkedAction::Start:
        StartEntry(action.start, utc);
        break;
    case SkedAction::End:
        EndEntry();
        break;
    case SkedAction::EndAndStart:
        EndEntry();
        StartEntry(action.start, utc);
        break;
    case SkedAction::LookAgain:
        CallIfWsjtFound();
        break;
    case SkedAction::Done:
        EndEntry();
        following_ = false;
        skedsDone_ = true;
        return true;
    }
    return false;
}

// As START does for one sked or CQ, at the entry's own second.
void Run::StartEntry(int index, std::int64_t utc)
{
    const SkedEntry& entry = schedule[index];
    sked_ = {index, WhereInSchedule(schedule, utc).start, utc, false};
    // A CQ entry takes up callers as they come; a sked knows its partner.
    SetPartner(entry.Cq() ? std::string() : entry.station);
    if (!LogOpen)
        OpenActivityLog();
    if (choices.ClearDecoded())
        platform.DeleteFile(FileName(choices.DecodedText()));
    CallIfWsjtFound();
}

// WSJT may have been closed and started again since the last entry.
void Run::CallIfWsjtFound()
{
    sked_.wsjtMissing = !FindWSJT();
    if (!sked_.wsjtMissing)
        CallStation(CallText());
}

void Run::EndEntry()
{
    if (FState >= 0) {
        ReleaseWSJT();
        FState = -1;
    }
    sked_ = {};
}

std::string Run::SkedStateText(std::size_t index) const
{
    if (index >= schedule.size())
        return std::string();
    if (index < skedContacts_.size() && skedContacts_[index] >= 0) {
        const UtcTime at = UtcTimeOf(skedContacts_[index]);
        std::string text = "contact ";
        AppendClock(text, at.hour, at.minute);
        return text;
    }
    return SkedTimeText(EntryTime(schedule, index, UtcSeconds(platform.UtcNow())));
}

// Nothing here allocates: the status bar's text is made every tick.
void Run::FillSkedFacts(StatusFacts& facts)
{
    if (skedsDone_) {
        facts.sked = StatusFacts::Sked::Done;
        return;
    }
    if (!following_)
        return;
    const std::int64_t now = UtcSeconds(platform.UtcNow());
    const SkedPosition at = WhereInSchedule(schedule, now);
    if (sked_.entry >= 0) {
        facts.sked = StatusFacts::Sked::Working;
        facts.skedNumber = sked_.entry + 1;
        facts.skedCount = static_cast<int>(schedule.size());
        facts.skedStation = schedule[sked_.entry].station;
        facts.skedTime = UtcTimeOf(at.kind == SkedPosition::Running ? at.end : now);
        facts.wsjtMissing = sked_.wsjtMissing;
        facts.skedWait = 60 - (now - sked_.since) % 60;
    } else if (at.kind == SkedPosition::Waiting) {
        facts.sked = StatusFacts::Sked::Waiting;
        facts.skedStation = schedule[at.entry].station;
        facts.skedTime = UtcTimeOf(at.start);
        facts.skedWait = at.start - now;
        const UtcTime today = UtcTimeOf(now);
        facts.skedOtherDay = today.day != facts.skedTime.day || today.month != facts.skedTime.month ||
                             today.year != facts.skedTime.year;
    }
}
