// The night as the run followed its schedule, for the morning after: each
// entry's occurrence with what was heard of its partner (or its callers),
// its contacts and WSJT's absences, and the outcome told of it. Fed by the
// schedule follower as events happen; memory stays bounded however long the
// night and however often a station is heard.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/schedule.h"

// How far a contact got, as the decodes showed: the partner heard (his
// decode naming our call or his own; for a CQ entry a caller's decode),
// then his "27", his "R27", his "RRR".
enum NightStep : int { StepHeard = 0, Step27 = 1, StepR27 = 2, StepRRR = 3 };
// The step a contact's state 1..4 (Run::FState after the walk) shows heard.
inline int NightStepOfState(std::int32_t state) { return state - 1; }

// One decode of the partner, kept as it came.
struct NightMark {
    std::int64_t utc = 0;
    int step = StepHeard;
    std::string text;  // the decode or the caller, cut to MaxMarkText
};
// The decodes of one minute, once an entry has kept its first marks.
struct NightMinute {
    std::int64_t minute = 0;  // UTC seconds at the minute's start
    int count = 0;
    int step = StepHeard;     // the furthest step among them
};
struct NightGap {
    std::int64_t from = 0, to = -1;  // to -1: still missing
};
struct NightContact {
    std::int64_t utc = 0;
    std::string station;
};

// One occurrence of an entry, from its start to its end.
struct NightEntry {
    int index = 0;  // the entry's 0-based place in the schedule
    SkedEntry sked;
    std::int64_t start = 0, end = 0;  // as scheduled, UTC seconds
    std::int64_t ended = -1;          // when the run released it; -1 not yet
    std::int64_t decodes = 0;
    std::int64_t firstHeard = -1, lastHeard = -1;
    int furthest = -1;                // the furthest NightStep heard; -1 none
    std::vector<NightMark> marks;     // the first decodes, one by one
    std::vector<NightMinute> minutes; // the later ones, counted per minute
    std::vector<NightContact> contacts;
    std::int64_t contactsNotKept = 0;
    std::vector<NightGap> gaps;       // when WSJT was missing
    std::string periodTrouble;        // why Tx First was not set; "" it was (or left alone)
    std::string frequencyTrouble;     // why the radio is not on the entry's frequency; "" it is (or not asked)
};

class Night {
public:
    // What is kept one by one before counting begins.
    static constexpr std::size_t MarksPerEntry = 100;
    static constexpr std::size_t MarksPerNight = 10000;
    static constexpr std::size_t MinutesPerNight = 50000;
    static constexpr std::size_t EntriesPerNight = 20000;
    static constexpr std::size_t ContactsPerEntry = 200;
    static constexpr std::size_t GapsPerEntry = 100;
    static constexpr std::size_t MaxMarkText = 48;

    // `scheduled`: how many entries the schedule has, for "Sked 2 of 6".
    explicit Night(std::size_t scheduled = 0) : scheduled_(scheduled) {}

    // START: a new night of a schedule of `scheduled` entries.
    void Begin(std::size_t scheduled);
    // The follower took up entry `index`, its occurrence running from
    // `startUtc` to `endUtc`. One still open is ended at `startUtc` first.
    void EntryStarted(int index, const SkedEntry& entry, std::int64_t startUtc, std::int64_t endUtc);
    // A decode of the partner reached `step` (NightStep; clamped); `text`
    // is the decode or, for a CQ entry, the caller. Ignored between entries.
    void PartnerHeard(std::int64_t utc, int step, std::string_view text = {});
    // A contact reached its 73 step and was recorded.
    void ContactCompleted(std::int64_t utc, std::string_view station);
    // WSJT was found gone, and found again; a second WsjtMissing while
    // missing changes nothing.
    void WsjtMissing(std::int64_t fromUtc);
    void WsjtFound(std::int64_t utc);
    // WSJT's Tx First box could not be set for the running entry.
    void PeriodNotSet(std::string_view reason);
    // The radio could not be set to the running entry's frequency (the
    // entry is not worked); FrequencySet, it was after all.
    void FrequencyNotSet(std::string_view reason);
    void FrequencySet();
    // The running entry was released; what was still missing ends here.
    void EntryEnded(std::int64_t utc);
    // The run ended (STOP, close, the schedule done).
    void RunEnded(std::int64_t utc);

    const std::vector<NightEntry>& Entries() const { return entries_; }
    std::size_t Scheduled() const { return scheduled_; }
    std::int64_t RunEnd() const { return runEnd_; }
    // Decodes counted per minute rather than kept one by one, somewhere.
    bool Aggregated() const { return aggregated_; }
    // Decodes, minutes or entries not kept at all, beyond every bound.
    std::int64_t NotKept() const { return notKept_; }

private:
    NightEntry* Open();

    std::size_t scheduled_ = 0;
    std::vector<NightEntry> entries_;
    bool open_ = false;
    std::int64_t runEnd_ = -1;
    std::size_t marks_ = 0, minutes_ = 0;
    bool aggregated_ = false;
    std::int64_t notKept_ = 0;
};

// --- What is told of it: pure functions of the records. ---

// An entry's outcome. A sked: "contact HH:MM" (its first), else the
// furthest step heard: "heard", "27 heard", "R27 heard", "RRR heard", else
// "not heard". A CQ entry: the stations worked, "Q5KLM, Q8ZZZ", or "no
// contact". When nothing was heard (or worked), the likely reason replaces
// "not heard": "WSJT missing N min" when WSJT was missing for half of the
// entry or more, else "Tx First not set" when its period could not be set.
// An entry whose frequency was never set is "frequency not set": it was not
// worked.
// WSJT missing for less than half but at least a minute, or while heard, is
// added after the outcome: "R27 heard, WSJT missing 12 min".
std::string EntryOutcome(const NightEntry& entry);
// Minutes WSJT was missing within the entry, rounded to the nearest.
std::int64_t MissingMinutes(const NightEntry& entry);
// "heard 22:33-22:51 UTC, 14 decodes", or "never heard".
std::string HeardFigures(const NightEntry& entry);
// The Skeds page's tip for an entry's occurrence, a line for each fact:
// its HeardFigures, for CQ the stations worked ("worked Q5KLM 22:34,
// Q8ZZZ 22:42"), WSJT's absences ("WSJT missing 20 min: 22:40-23:00") and
// why Tx First was not set ("Tx First not set: no Tx First box").
std::string EntryTip(const NightEntry& entry);
// The last occurrence of the schedule's entry `index`, or nullptr.
const NightEntry* LastOccurrence(const Night& night, int index);
// The UTC date of a second: "2026-12-13".
std::string UtcDay(std::int64_t utc);
// The occurrence's date and times: "2026-12-13 22:30-23:00".
std::string EntryWhen(const NightEntry& entry);
// The activity log's line at the entry's end:
// "Sked 2 of 6 2026-12-13 22:30-23:00 Q7PQR 2nd: R27 heard; heard 22:33-22:51 UTC, 14 decodes".
std::string EntryLogLine(const Night& night, const NightEntry& entry);
// The run's end: "Night of 2026-12-13: 6 entries, 2 with a contact (3
// contacts), 1 heard, 2 not heard, 1 WSJT missing".
std::string NightSummary(const Night& night);
// An entry's class for the summary.
enum class EntryResult { Contact, Heard, NotHeard, WsjtMissing, PeriodNotSet, FrequencyNotSet };
EntryResult ResultOf(const NightEntry& entry);
