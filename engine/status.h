// Where the run stands, in plain English, for the window's status bar: a
// pure function of what the run records and the clock. No window system.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ports/platform.h"

// Trouble the run has met and not yet seen cleared; each is set and cleared
// by the part that meets it, independently of the others.
enum Trouble : unsigned {
    NoTrouble = 0,
    DecodedMissing = 1u << 0,     // the last scan found no decoded.cum (normal after a clearing)
    DecodedUnreadable = 1u << 1,  // the last scan could not read it (held by another program)
    PeerGone = 1u << 2,           // a press or text went to a WSJT window that no longer exists
    LogNotOpen = 1u << 3,         // the activity log could not be opened
    ContactsNotWritten = 1u << 4, // the contacts file could not be written
};

// Everything the status text is made of, filled by the run at the end of
// each tick (after the tick's own work). Texts are only looked at during
// the StatusText call, so views into the run's own strings will do.
struct StatusFacts {
    bool armed = false;              // bRun reads "STOP"
    std::int32_t state = -1;         // FState
    bool cq = false;                 // CQ mode: calling is "Calling CQ"
    bool calledSinceStart = false;   // a call was placed since START: armed at -1, the run is parked, not waiting
    std::string_view partner;        // the sked partner, or in CQ mode the caller taken up (read in states 1 to 4)
    bool delay = false;              // "Delay start until" ticked, at delayHour:delayMinute
    int delayHour = 0, delayMinute = 0;
    std::int32_t tickCount = 0, tickLimit = 0;  // TickCount, TickLimit
    unsigned troubles = NoTrouble;   // Trouble flags
    std::int32_t contacts = 0;       // contacts completed (state 4 reached) since START
    std::string_view lastPartner;    // the partner of the last one, and the local time it completed
    int lastHour = 0, lastMinute = 0;
    std::string_view loggerFault;    // why the loggers' feed failed, "" while it works

    // Following a schedule of skeds, whose times are UTC.
    enum class Sked : unsigned char {
        None,     // an ordinary run
        Working,  // entry skedNumber of skedCount runs until skedTime
        Waiting,  // parked: skedStation starts at skedTime, skedWait seconds from now
        Done,     // the last dated entry has ended; until the next START
    } sked = Sked::None;
    int skedNumber = 0, skedCount = 0;
    std::string_view skedStation;
    UtcTime skedTime;
    bool skedOtherDay = false;     // Waiting: skedTime falls on another UTC day
    std::int64_t skedWait = 0;     // Waiting: to the start; Working: to the next look for WSJT
    bool wsjtMissing = false;      // Working: WSJT was not found at the entry's start
    std::string_view skedReport;     // Done: the night's page, its file name
    std::string_view periodTrouble;  // Working: why WSJT's Tx First is not as the entry asks
    std::string_view frequencyTrouble;  // Working: why the radio is not on the entry's frequency (not called)
    // Working: the entry's contact is complete and WSJT released until the
    // next entry, skedNextStation at skedNextTime ("" when none comes).
    bool skedReleased = false;
    UtcTime skedContact;
    std::string_view skedNextStation;
    UtcTime skedNextTime;
};

// Writes the status into `out`: the run's state, then, when there is one, a
// tab and the text of the bar's second part (the contacts, or trouble with
// the records). `out`'s buffer is reused: after the first call nothing is
// allocated.
void StatusText(const StatusFacts& facts, const LocalTime& now, std::string& out);

// The width a status bar part needs for a text, its margins included: pixels
// on the screen, or in a test any measure that grows with the text.
using StatusMeasure = std::function<int(std::string_view)>;

// One part's text shortened to fit `width`: whole clauses off its end first
// (", ...", "; ...", " (...)"), the last first, then letters, an ellipsis
// marking the cut. A sked's " ... until 23:00 UTC" stays to the last: its
// time goes only when nothing else is left to shorten.
std::string FitStatusPart(std::string_view text, int width, const StatusMeasure& measure);

// StatusText's text laid out in a bar `width` wide: the parts' texts, each
// shortened to fit when both do not, and the second part's width (0 for
// none; the first takes the rest). The run's state keeps two thirds of the
// bar at least when it needs them; the second part takes what it leaves.
struct StatusParts {
    std::string first, second;
    int secondWidth = 0;
};
StatusParts FitStatusParts(std::string_view text, int width, const StatusMeasure& measure);
