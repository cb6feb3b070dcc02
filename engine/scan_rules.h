// The decisions of the decode scanner as pure functions of their inputs:
// freshness of a decoded line, its message, occurrence of a marker and the
// progression walk.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ports/platform.h"

// Column 33 on: where WSJT puts the decoded text.
constexpr std::size_t MessageColumn = 33;
// How far back a scan looks: decodes of the last period, with some slack.
constexpr int FreshSeconds = 55;
constexpr int SecondsPerDay = 24 * 60 * 60;
// A decode line is under 100 characters: a longer line than this is none,
// and the scan passes it over whatever it begins with. Bounds what one line
// can cost.
constexpr std::size_t LongestDecodeLine = 1024;

// The time of day of a line whose first six characters are a valid hhmmss,
// in seconds; -1 for any other line.
int StampOf(std::string_view line);
// True when a stamp of `stamp` seconds is within the FreshSeconds before
// the scan, counted across midnight.
bool IsFreshSecond(int stamp, int scanSecondsOfDay);

// The UTC date and time of a decode stamped `stamp` (seconds of the day on
// WSJT's clock), seen by a scan that read WSJT's clock as `stampClock` and
// the UTC clock as `utc` (the same reading when WSJT stamps in UTC). A fresh
// stamp is never after the scan, so one later in the day than the scan was
// made the day before. The clocks' difference is taken in whole minutes, so
// two readings a second apart still give the zone.
UtcTime StampUtc(int stamp, const LocalTime& stampClock, const UtcTime& utc);

// True when the line's first six characters are a valid hhmmss time within
// the FreshSeconds before the scan: strictly after the scan time minus
// FreshSeconds and not after the scan time, counted across midnight.
bool IsFreshStamp(std::string_view line, int scanSecondsOfDay);

// IsFreshStamp for one scan, for every line of a file of millions: a fresh
// stamp begins with the hhmm of the scan's minute or of the minute before,
// so most lines are turned away by comparing four bytes.
class FreshFilter {
public:
    explicit FreshFilter(int scanSecondsOfDay);
    bool operator()(std::string_view line) const
    {
        if (line.size() < 6)
            return false;
        std::uint32_t hhmm;
        std::memcpy(&hhmm, line.data(), 4);
        return (hhmm == minutes_[0] || hhmm == minutes_[1]) && IsFreshStamp(line, scan_);
    }

private:
    int scan_;
    std::uint32_t minutes_[2];  // the bytes hhmm of the oldest and the newest fresh second
};

// Characters from column 33 to the end; empty for 32 characters or fewer.
std::string_view MessageOf(std::string_view line);

// Case-sensitive search; an empty text occurs nowhere and holds nothing.
inline bool Occurs(std::string_view what, std::string_view in)
{
    return !what.empty() && in.find(what) != std::string_view::npos;
}

// Whether any of a few texts occurs in a line, for every fresh line of a
// file of millions: one pass over the line, stopping only at bytes a text
// begins with. The same answer as Occurs for each text in turn; an empty
// text occurs nowhere. Holds copies, so the texts may change afterwards.
class AnyOccurs {
public:
    // At most 32 texts are looked for; more are passed over.
    explicit AnyOccurs(std::span<const std::string> texts);
    bool operator()(std::string_view in) const;

private:
    std::vector<std::string> texts_;
    std::array<std::uint32_t, 256> startsWith_{};  // per first byte, the texts that begin with it
};

// Moves `state` past every step marker found in `message`, passing over a
// single missing marker at the state's own position (except at 0), and
// stopping at the second missing one in a row. 5 leaves the state alone.
unsigned WalkProgression(unsigned state, std::string_view message,
                         const std::array<std::string, 5>& steps);

// Whether a decode is the partner's, for the night's count: it names his
// callsign or ours, or, once he has been heard, it carries one of the
// steps' markers, as a meteor ping often brings only part of a message.
// `steps` as WalkProgression's, `partner` the station worked (steps[0], or
// a CQ entry's caller).
bool PartnersDecode(std::string_view message, std::string_view partner, std::string_view ownCall,
                    const std::array<std::string, 5>& steps, bool heard);
