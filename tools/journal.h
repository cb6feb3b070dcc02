// Reading the stand-in WSJT's journal, for the end-to-end contact tests and
// the rehearsal: its events, the state Tavrix has reached as its presses
// show it, the order of those presses, and the decodes Tavrix should have
// copied to its activity log. Portable, so it is tested natively.
#pragma once
#include <string>
#include <vector>

struct JournalEvent {
    long long ms;      // UTC time of the event; past midnight it keeps counting
    std::string what;  // the event without its time stamp
};

// Events of "hh:mm:ss.mmm what" lines; other lines are skipped. Times are
// made to run on across midnight, so they only grow.
std::vector<JournalEvent> ParseJournal(const std::string& text);

// Presses and to-radio changes only, without the press details:
// "toradio Q9XYZ", "press &Lookup", "press Tx &2", ...
std::vector<std::string> PeerActions(const std::vector<JournalEvent>& events);

// Each change of the to-radio box, in order, with the Tx First box's state
// journaled just before it: the state at each call and release.
struct ToRadioChange {
    std::string text;  // the box's new text: a callsign, "CQ", "12345"
    int txFirst;       // 1 ticked, 0 unticked, -1 not journaled (the box left out)
    bool operator==(const ToRadioChange&) const = default;
};
std::vector<ToRadioChange> ToRadioChanges(const std::vector<JournalEvent>& events);

// Tavrix's QSO state as WSJT saw it: -1 before a call or after a release,
// 0 calling once Auto was switched on, 1..4 after "Tx &2".."Tx &5".
int StateFromJournal(const std::vector<JournalEvent>& events);

// Checks the actions of one complete contact: the call of `called` (the
// partner's callsign in sked mode, "CQ" in CQ mode), in CQ mode the take-up
// of `partner`, Tx presses rising within "Tx &2" to "Tx &5" and ending there
// (a partner that answers our call with its report skips Tx 2), then the release.
// Empty when all is in order, otherwise what is wrong.
std::string CheckContact(const std::vector<std::string>& actions, const std::string& called,
                         const std::string& partner);

// The decode lines, in order, that a run should have copied to the activity
// log: those holding one of `markers` in their message that some scan of
// the run (at seconds 5 and 35, after the line was written) found fresh.
// The run is the first call placed at or after event `from` up to the
// release that follows it. Assumes the run was not started or stopped in
// the second of a scan.
std::vector<std::string> ExpectedLog(const std::vector<JournalEvent>& events, const std::vector<std::string>& markers,
                                     std::size_t from = 0);
