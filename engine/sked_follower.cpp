// A run following the schedule of skeds; see engine/sked_follower.h.
#include "engine/sked_follower.h"

#include <algorithm>

#include "engine/clock_text.h"
#include "engine/night_page.h"
#include "engine/run.h"

std::optional<bool> TxFirstWanted(TxPeriod period)
{
    switch (period) {
    case TxPeriod::First: return true;
    case TxPeriod::Second: return false;
    case TxPeriod::AsWsjt: break;
    }
    return std::nullopt;
}

bool DoneAfterContact(bool cqEntry, std::int32_t state)
{
    return !cqEntry && state >= 4;
}

bool RepeatContact(const std::vector<std::string>& worked, std::string_view station)
{
    return std::find(worked.begin(), worked.end(), station) != worked.end();
}

bool SkedFollower::Follow(std::vector<SkedEntry> entries, std::int64_t utc)
{
    entries_ = std::move(entries);
    contacts_.assign(entries_.size(), -1);
    following_ = true;
    done_ = false;
    night_.Begin(entries_.size());
    reportPath_.clear();
    // Parked until an entry runs, whatever START did before.
    EndEntry();
    if (Second(utc)) {
        Clear();
        return false;
    }
    return true;
}

void SkedFollower::Clear()
{
    entries_.clear();
    contacts_.clear();
    following_ = false;
    done_ = false;
    running_ = {};
    released_ = false;
}

void SkedFollower::Stop()
{
    if (following_) {
        const std::int64_t now = UtcSeconds(run_.platform.UtcNow());
        TellEntryEnd(now);
        TellRunEnd(now);
    }
    following_ = false;
    running_ = {};
    released_ = false;
}

const SkedEntry* SkedFollower::Current() const
{
    return following_ && running_.entry >= 0 ? &entries_[running_.entry] : nullptr;
}

bool SkedFollower::Second(std::int64_t utc)
{
    const SkedAction action = NextSkedAction(entries_, utc, running_);
    switch (action.kind) {
    case SkedAction::Nothing:
        // WSJT closed during a sked: its contact is lost, and WSJT is
        // looked for each minute as at a start. A sked already released
        // has nothing left to lose.
        if (running_.entry >= 0 && tuned_ && !running_.wsjtMissing && !released_ && (run_.troubles & PeerGone)) {
            running_.wsjtMissing = true;
            running_.since = utc;
            run_.FState = -1;
            night_.WsjtMissing(utc);
        }
        break;
    case SkedAction::Start:
        StartEntry(action.start, utc);
        break;
    case SkedAction::End:
        TellEntryEnd(utc);
        EndEntry();
        break;
    case SkedAction::EndAndStart:
        TellEntryEnd(utc);
        EndEntry();
        StartEntry(action.start, utc);
        break;
    case SkedAction::LookAgain:
        CallIfWsjtFound();
        break;
    case SkedAction::Done:
        TellEntryEnd(utc);
        EndEntry();
        TellRunEnd(utc);
        following_ = false;
        done_ = true;
        return true;
    }
    return false;
}

// As START does for one sked or CQ, at the entry's own second.
void SkedFollower::StartEntry(int index, std::int64_t utc)
{
    const SkedEntry& entry = entries_[index];
    const SkedPosition at = WhereInSchedule(entries_, utc);
    running_ = {index, at.start, utc, false};
    night_.EntryStarted(index, entry, at.start, at.end);
    released_ = false;
    periodTrouble_.clear();
    tuned_ = false;
    frequencyTrouble_.clear();
    run_.workedStations.clear();
    // A CQ entry takes up callers as they come; a sked knows its partner.
    run_.SetPartner(entry.Cq() ? std::string() : entry.station);
    if (!run_.LogOpen)
        run_.OpenActivityLog();
    if (run_.choices.ClearDecoded())
        run_.platform.DeleteFile(FileName(run_.choices.DecodedText()));
    CallIfWsjtFound();
}

// WSJT may have been closed and started again since the last entry, so its
// period is set again too. The frequency comes first: WSJT is not even
// looked for while the radio is elsewhere.
void SkedFollower::CallIfWsjtFound()
{
    if (!Tune())
        return;
    const bool wasMissing = running_.wsjtMissing;
    const std::int64_t now = UtcSeconds(run_.platform.UtcNow());
    running_.wsjtMissing = !run_.FindWSJT();
    if (running_.wsjtMissing) {
        night_.WsjtMissing(now);
        return;
    }
    if (wasMissing)
        night_.WsjtFound(now);
    SetPeriod();
    run_.CallStation(run_.CallText());
}

bool SkedFollower::Tune()
{
    if (tuned_)
        return true;
    const SkedEntry& entry = entries_[running_.entry];
    std::int64_t got = 0;
    std::string why;
    const EntryTuning tuning = run_.radio.Tune(entry.frequency, got, why);
    running_.frequencyNotSet = tuning == EntryTuning::NotSet;
    if (running_.frequencyNotSet) {
        if (why != frequencyTrouble_) {
            run_.LogNote("Frequency " + MhzText(entry.frequency) + " MHz not set: " + why + "; " + entry.station +
                         " is not called, the radio is asked again each minute");
            night_.FrequencyNotSet(why);
        }
        frequencyTrouble_ = why;
        return false;
    }
    if (tuning == EntryTuning::Set)
        run_.LogNote("Radio on " + MhzText(got) + " MHz for " + entry.station + (why.empty() ? "" : ": " + why));
    if (!frequencyTrouble_.empty())
        night_.FrequencySet();
    frequencyTrouble_.clear();
    tuned_ = true;
    return true;
}

// A period that can't be set doesn't stop the sked: the partner may still
// be heard if WSJT happens to have it right, and the operator is told.
void SkedFollower::SetPeriod()
{
    const std::optional<bool> txFirst = TxFirstWanted(entries_[running_.entry].period);
    if (!txFirst)
        return;
    const char* trouble = SetCheck(run_.windows, run_.PeerControls[pcTxFirst], *txFirst);
    if (!trouble) {
        periodTrouble_.clear();
        return;
    }
    if (periodTrouble_.empty()) {
        run_.LogNote(std::string("Tx First not set: ") + trouble);
        night_.PeriodNotSet(trouble);
    }
    periodTrouble_ = trouble;
}

void SkedFollower::EndEntry()
{
    if (run_.FState >= 0) {
        run_.ReleaseWSJT();
        run_.FState = -1;
    }
    running_ = {};
    released_ = false;
    periodTrouble_.clear();
    tuned_ = false;
    frequencyTrouble_.clear();
}

void SkedFollower::ContactCompleted(std::int64_t utc, const std::string& station)
{
    if (!Current())
        return;
    contacts_[running_.entry] = utc;
    night_.ContactCompleted(utc, station);
}

void SkedFollower::PartnerHeard(std::int64_t utc, int step, std::string_view text)
{
    if (Current())
        night_.PartnerHeard(utc, step, text);
}

void SkedFollower::TellEntryEnd(std::int64_t utc)
{
    if (running_.entry < 0 || night_.Entries().empty())
        return;
    night_.EntryEnded(utc);
    run_.LogNote(EntryLogLine(night_, night_.Entries().back()));
    WriteReport();
}

void SkedFollower::TellRunEnd(std::int64_t utc)
{
    night_.RunEnded(utc);
    if (night_.Entries().empty())
        return;
    run_.LogNote(NightSummary(night_));
    WriteReport();
}

// Beside the activity log, rewritten whole: a crash leaves the last page.
// A page that can't be written costs the morning's view, not the night.
void SkedFollower::WriteReport()
{
    const std::string log = FileName(run_.choices.LogText());
    const std::size_t slash = log.find_last_of("\\/");
    reportPath_ = (slash == std::string::npos ? std::string() : log.substr(0, slash + 1)) + NightFileName(night_);
    if (!run_.platform.ReplaceFileWith(reportPath_, NightPage(night_)))
        run_.LogNote("The night's page " + reportPath_ + " could not be written");
}

bool SkedFollower::ReleaseIfDone()
{
    const SkedEntry* entry = Current();
    if (!entry || !DoneAfterContact(entry->Cq(), run_.FState))
        return false;
    run_.ReleaseWSJT();
    run_.FState = -1;
    released_ = true;
    run_.LogNote("Sked " + entry->station + " done: WSJT released until the next entry");
    return true;
}

std::string SkedFollower::StateText(std::size_t index, std::int64_t now) const
{
    if (index >= entries_.size())
        return std::string();
    // The entry's last occurrence that has ended tells its outcome.
    const std::vector<NightEntry>& worked = night_.Entries();
    for (auto it = worked.rbegin(); it != worked.rend(); ++it)
        if (it->index == int(index) && it->ended >= 0 && !(Current() && running_.entry == int(index)))
            return EntryOutcome(*it);
    if (contacts_[index] >= 0) {
        const UtcTime at = UtcTimeOf(contacts_[index]);
        std::string text = "contact ";
        AppendClock(text, at.hour, at.minute);
        return text;
    }
    return SkedTimeText(EntryTime(entries_, index, now));
}

// Nothing here allocates: the status bar's text is made every tick.
void SkedFollower::FillFacts(StatusFacts& facts, std::int64_t now) const
{
    if (done_) {
        facts.sked = StatusFacts::Sked::Done;
        const std::size_t slash = reportPath_.find_last_of("\\/");
        facts.skedReport = std::string_view(reportPath_).substr(slash == std::string::npos ? 0 : slash + 1);
        return;
    }
    if (!following_)
        return;
    const SkedPosition at = WhereInSchedule(entries_, now);
    if (running_.entry >= 0) {
        facts.sked = StatusFacts::Sked::Working;
        facts.skedNumber = running_.entry + 1;
        facts.skedCount = static_cast<int>(entries_.size());
        facts.skedStation = entries_[running_.entry].station;
        facts.skedTime = UtcTimeOf(at.kind == SkedPosition::Running ? at.end : now);
        facts.wsjtMissing = running_.wsjtMissing;
        facts.skedWait = 60 - (now - running_.since) % 60;
        facts.periodTrouble = periodTrouble_;
        facts.frequencyTrouble = frequencyTrouble_;
        if (released_) {
            facts.skedReleased = true;
            facts.skedContact = UtcTimeOf(contacts_[running_.entry]);
            const SkedPosition next = WhereInSchedule(entries_, at.end);
            facts.skedNextStation = next.kind == SkedPosition::Done ? std::string_view()
                                                                   : std::string_view(entries_[next.entry].station);
            facts.skedNextTime = UtcTimeOf(next.start);
        }
    } else if (at.kind == SkedPosition::Waiting) {
        facts.sked = StatusFacts::Sked::Waiting;
        facts.skedStation = entries_[at.entry].station;
        facts.skedTime = UtcTimeOf(at.start);
        facts.skedWait = at.start - now;
        const UtcTime today = UtcTimeOf(now);
        facts.skedOtherDay = today.day != facts.skedTime.day || today.month != facts.skedTime.month ||
                             today.year != facts.skedTime.year;
    }
}
