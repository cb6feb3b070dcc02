// Following a schedule of skeds: at each entry's start the run sets the
// radio to the entry's frequency (an entry whose frequency can't be set is
// not worked, and asked again each minute), looks for WSJT again, sets its
// transmit period and calls the entry's station or CQ;
// a sked whose contact is complete is released at its 73 step's time-out;
// at an entry's end WSJT is released and the run parks until the next. The
// run clock asks it each second; what to do at a second is decided by
// NextSkedAction (engine/schedule.h) and the pure rules below.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/night.h"
#include "engine/schedule.h"
#include "engine/status.h"

class Run;

// The state WSJT's "Tx First" box must have for an entry's period: ticked
// for the first, unticked for the second, or left alone.
std::optional<bool> TxFirstWanted(TxPeriod period);
// After the step time-out in `state`: a sked entry whose contact reached
// its 73 step is done and released; a CQ entry calls CQ again, and so does
// any step before 73.
bool DoneAfterContact(bool cqEntry, std::int32_t state);
// A station already worked in this entry (or, outside a schedule, this run)
// gets no second record.
bool RepeatContact(const std::vector<std::string>& worked, std::string_view station);

class SkedFollower {
public:
    explicit SkedFollower(Run& run) : run_(run) {}
    SkedFollower(const SkedFollower&) = delete;
    SkedFollower& operator=(const SkedFollower&) = delete;

    // START's last step: keeps the entries and takes up the one running at
    // `utc`, if any. False, with nothing followed, when nothing is left to
    // come by now (START took long, behind a message box or a slow WSJT).
    bool Follow(std::vector<SkedEntry> entries, std::int64_t utc);
    // START, STOP and close: nothing is followed.
    void Clear();
    void Stop();
    bool Following() const { return following_; }
    const std::vector<SkedEntry>& Entries() const { return entries_; }
    // The entry being worked, or nullptr while parked.
    const SkedEntry* Current() const;

    // The run clock's second `utc`; true when the schedule is done.
    bool Second(std::int64_t utc);
    // A contact with `station` completed at `utc` in the entry being worked.
    void ContactCompleted(std::int64_t utc, const std::string& station);
    // A decode of the partner (or, in a CQ entry, of a caller) stamped
    // `utc`, the contact having reached `step` (NightStep) with it; `text`
    // the decode, or the caller.
    void PartnerHeard(std::int64_t utc, int step, std::string_view text);
    // At a step time-out: true when the entry's contact is complete and
    // WSJT has been released for the rest of it.
    bool ReleaseIfDone();

    // The Skeds page's State column for entry `index`: "past", "now",
    // "next", "later", "contact HH:MM" (UTC) once a contact was completed
    // in it during this run, and once it has ended its outcome (see
    // EntryOutcome), kept after the run until the next START.
    std::string StateText(std::size_t index, std::int64_t now) const;
    // The schedule's part of the status bar, at `now`.
    void FillFacts(StatusFacts& facts, std::int64_t now) const;
    // What the run saw of each entry, for the morning after.
    const Night& NightRecord() const { return night_; }
    // The night's page, beside the activity log; "" before any entry ran.
    const std::string& ReportPath() const { return reportPath_; }

private:
    void StartEntry(int index, std::int64_t utc);
    void CallIfWsjtFound();
    // False when the radio is not on the entry's frequency: nothing may go out.
    bool Tune();
    void SetPeriod();
    void EndEntry();
    // The entry's or the run's end told in the activity log and the page.
    void TellEntryEnd(std::int64_t utc);
    void TellRunEnd(std::int64_t utc);
    void WriteReport();

    Run& run_;
    std::vector<SkedEntry> entries_;
    bool following_ = false;  // armed with entries
    bool done_ = false;       // the last dated entry ended; until the next START
    SkedRunning running_;
    bool released_ = false;   // the running entry's contact is complete and WSJT released
    std::string periodTrouble_;  // why the running entry's period is not set; told once
    bool tuned_ = false;             // the radio is on the running entry's frequency, or not asked
    std::string frequencyTrouble_;   // why it is not; told when it changes
    std::vector<std::int64_t> contacts_;  // each entry's last contact, UTC seconds; -1 none
    Night night_;
    std::string reportPath_;
};
