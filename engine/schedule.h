// The schedule of skeds (skeds.txt): its entries, reading and writing the
// file's text, START's checks on it, and where a run that follows it stands
// at a given second. Pure functions of their inputs; every time here is UTC,
// as skeds are agreed in UTC whatever the computer's time zone.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ports/platform.h"

constexpr const char* DefaultSkedsFile = "skeds.txt";
// The longest callsign an entry may name.
constexpr std::size_t MaxSkedCallLength = 12;
// A schedule is a few dozen lines: a file beyond these is refused rather
// than held in memory line by line.
constexpr std::size_t MaxSkedFileBytes = 256 * 1024;
constexpr std::size_t MaxSkedLines = 5000;

// Which half of each minute we transmit in, as agreed for a sked: the
// first (seconds 0-29, WSJT's "Tx First" ticked) or the second; or as WSJT
// has it, left alone.
enum class TxPeriod : unsigned char { AsWsjt, First, Second };

// One entry: a UTC date or every day, a start and an end in minutes of the
// UTC day, the station to call, or CQ, and the transmit period. An end
// before the start runs past midnight into the next day; an end equal to
// the start is no entry.
struct SkedEntry {
    int year = 0, month = 0, day = 0;  // all 0: every day
    int start = 0, end = 0;            // minutes after 00:00 UTC, 0..1439
    std::string station;               // an upper-case callsign, or "CQ"
    TxPeriod period = TxPeriod::AsWsjt;
    std::int64_t frequency = 0;        // the radio's dial in Hz; 0: leave the radio where it is

    bool EveryDay() const { return year == 0; }
    bool Cq() const { return station == "CQ"; }
    bool operator==(const SkedEntry&) const = default;
};

// One line of the file as the operator wrote it, so that a rewrite from the
// window keeps comments and blank lines where they stood.
struct SkedLine {
    std::string text;    // the line without its line end
    bool entry = false;  // an entry line, parsed into `sked`
    SkedEntry sked;
};

// What is wrong with a schedule, for the operator: the file's 1-based line
// number (0 when it is not one line's fault) and what is wrong, in plain
// English.
struct ScheduleProblem {
    int line = 0;
    std::string what;
};

// The frequencies an entry may name: 160 m to 23 cm.
constexpr std::int64_t LowestSkedHz = 1800000, HighestSkedHz = 1300000000;

// One entry as a line of the file: "2026-12-13 22:00 23:00 Q9XYZ" or
// "* 04:00 05:00 CQ 2nd 144.366", fields separated by blanks or tabs, the
// station and the optional period (1st or 2nd) in any case, and the
// optional frequency in MHz (at most 6 decimals), the last two in either
// order. False with the reason in `what` for anything else; `entry` is then
// left alone.
bool ParseSkedEntry(std::string_view text, SkedEntry& entry, std::string& what);
// The entry as ParseSkedEntry reads it back.
std::string FormatSkedEntry(const SkedEntry& entry);
// The period field's word: "1st", "2nd", or "" as WSJT has it.
const char* TxPeriodText(TxPeriod period);
// A frequency in Hz as the shortest exact MHz text: "144.366", "50", "1296.2".
std::string MhzText(std::int64_t hz);
// MHz text, digits with at most one point and 6 decimals, as Hz within
// LowestSkedHz..HighestSkedHz; false with the reason in `what` (`hz` then
// left alone).
bool ParseMhz(std::string_view text, std::int64_t& hz, std::string& what);

// The whole file as read from disk: ASCII or UTF-8 with or without a byte
// order mark, UTF-16 with one, CR LF or LF line ends; blank lines and lines
// whose first non-blank character is '#' are kept as they are. False on the
// first line that is not an entry, with its number and why.
bool ParseSchedule(std::string_view fileBytes, std::vector<SkedLine>& lines,
                   ScheduleProblem& problem);
// The file's text as written back: each line as it was, or the entry's
// FormatSkedEntry, with CR LF line ends.
std::string FormatSchedule(const std::vector<SkedLine>& lines);
// The entries of the lines, in file order.
std::vector<SkedEntry> EntriesOf(const std::vector<SkedLine>& lines);

// Seconds since 1970-01-01 00:00 UTC.
std::int64_t UtcSeconds(const UtcTime& time);
// The UTC date and time of such a second.
UtcTime UtcTimeOf(std::int64_t seconds);

// Why a schedule whose every entry is over can't be followed.
constexpr const char* NothingLeftToFollow = "every entry of the schedule is past: nothing is left to follow";

// START's checks at `now`: no two entries overlap (every-day entries count
// on every day), and at least one entry is running or still to come. False
// with the problem (the line numbers are those of `lines`).
bool CheckSchedule(const std::vector<SkedLine>& lines, std::int64_t now, ScheduleProblem& problem);

// Where the schedule stands at a second: the entry running, or the one that
// comes next, or none left. A schedule with dated entries is done once the
// last of them has ended; one of every-day entries only is never done.
struct SkedPosition {
    enum Kind { Running, Waiting, Done } kind = Done;
    int entry = -1;                    // index into the entries
    std::int64_t start = 0, end = 0;   // that occurrence of the entry, UTC seconds
};
SkedPosition WhereInSchedule(const std::vector<SkedEntry>& entries, std::int64_t now);

// An entry's place in time, for the Skeds page's State column.
enum class SkedTime { Past, Now, Next, Later };
SkedTime EntryTime(const std::vector<SkedEntry>& entries, std::size_t index, std::int64_t now);
// The State column's word for it: "past", "now", "next" or "later".
const char* SkedTimeText(SkedTime time);

// What a run that follows the schedule is doing: the occurrence of the entry
// it works (entry -1: parked between entries), the second it took it up, and
// whether WSJT was missing then, or the radio not set to the entry's
// frequency, and is still being looked for or asked again.
struct SkedRunning {
    int entry = -1;
    std::int64_t start = 0;  // that occurrence's start, UTC seconds
    std::int64_t since = 0;  // when the run took it up
    bool wsjtMissing = false;
    bool frequencyNotSet = false;
};

// What the run must do at a UTC second. An entry ending at the second the
// next one starts is released first, then the next is called.
struct SkedAction {
    enum Kind {
        Nothing,
        Start,        // take up entry `start`
        End,          // release entry `end` and park
        EndAndStart,  // both, in that order
        LookAgain,    // WSJT was missing, or the frequency not set, at the entry's start: a minute on, again
        Done,         // nothing left to come: release `end` if it is not -1, the run ends
    } kind = Nothing;
    int end = -1, start = -1;
    bool operator==(const SkedAction&) const = default;
};
SkedAction NextSkedAction(const std::vector<SkedEntry>& entries, std::int64_t now,
                          const SkedRunning& running);
