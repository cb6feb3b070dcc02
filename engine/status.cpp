// The status text. Built piece by piece into the caller's string, so a tick
// whose text fits the buffer already there allocates nothing.
#include "engine/status.h"

#include <algorithm>

#include "engine/clock_text.h"

namespace {

constexpr int SecondsPerDay = 24 * 3600;

// What each step of a contact has received, and what its Tx button sends.
struct Step {
    const char* received;
    const char* sending;
};
constexpr Step Steps[] = {
    {"heard", "27 (Tx 2)"},
    {"got 27", "R27 (Tx 3)"},
    {"got R27", "RRR (Tx 4)"},
    {"got RRR", "73 (Tx 5)"},
};

// Scans run at seconds 5 and 35; at a scan's own second it is done already.
int SecondsToNextScan(int second)
{
    return (34 - second % 30) % 30 + 1;
}

void AppendNextScan(std::string& out, const LocalTime& now, const char* lead)
{
    out += lead;
    AppendNumber(out, SecondsToNextScan(now.second));
    out += " s";
}

// "in 1 h 12 min", "in 40 min", "in 35 s": minutes rounded up.
void AppendWait(std::string& out, int seconds)
{
    out += "in ";
    if (seconds < 60) {
        AppendNumber(out, seconds);
        out += " s";
        return;
    }
    const int minutes = (seconds + 59) / 60;
    if (minutes >= 60) {
        AppendNumber(out, minutes / 60);
        out += " h";
        if (minutes % 60 == 0)
            return;
        out += ' ';
    }
    AppendNumber(out, minutes % 60);
    out += " min";
}

// The delay time's next coming after now. The text is made after the tick,
// so a delay time equal to now has just gone by: it comes again tomorrow.
void AppendDelayTime(std::string& out, const StatusFacts& facts, const LocalTime& now, bool withWait)
{
    const int nowSeconds = now.hour * 3600 + now.minute * 60 + now.second;
    int wait = (facts.delayHour * 3600 + facts.delayMinute * 60 - nowSeconds) % SecondsPerDay;
    if (wait <= 0)
        wait += SecondsPerDay;
    AppendClock(out, facts.delayHour, facts.delayMinute);
    if (nowSeconds + wait >= SecondsPerDay)
        out += " tomorrow";
    if (withWait) {
        out += " (";
        AppendWait(out, wait);
        out += ')';
    }
}

// The time before the step times out and the run calls again: "4:31", or
// "1:02:03" from an hour on; never below zero.
void AppendTimeLeft(std::string& out, long long seconds)
{
    if (seconds < 0)
        seconds = 0;
    if (seconds >= 3600) {
        AppendNumber(out, seconds / 3600);
        out += ':';
        AppendTwoDigits(out, seconds / 60 % 60);
    } else {
        AppendNumber(out, seconds / 60);
    }
    out += ':';
    AppendTwoDigits(out, seconds % 60);
}

// No decoded.cum is no trouble: a clearing or a night before WSJT's first
// decode leaves none. Said beside the station and the step, which stay.
void AppendNoDecodes(std::string& out, const StatusFacts& facts)
{
    if ((facts.troubles & (DecodedMissing | DecodedUnreadable)) == DecodedMissing)
        out += ", no decodes yet";
}

void AppendContact(std::string& out, const StatusFacts& facts, const LocalTime& now)
{
    const Step& step = Steps[facts.state - 1];
    out.append(facts.partner.empty() ? std::string_view("Partner") : facts.partner);
    out += ": ";
    out += step.received;
    out += ", sending ";
    out += step.sending;
    AppendNoDecodes(out, facts);
    out += ", ";
    AppendTimeLeft(out, static_cast<long long>(facts.tickLimit) - facts.tickCount);
    out += " left";
    AppendNextScan(out, now, ", scan ");
}

// Trouble that stops the run from moving on goes before everything else:
// the state behind it stands still. The decoded file's trouble only matters
// while scans are being made.
bool AppendStalled(std::string& out, const StatusFacts& facts, const LocalTime& now)
{
    if (facts.troubles & PeerGone) {
        out += "WSJT's window is gone";
        return true;
    }
    if (facts.state < 0 || !(facts.troubles & DecodedUnreadable))
        return false;
    out += "decoded.cum could not be read";
    AppendNextScan(out, now, ", next scan in ");
    return true;
}

// An armed run before its first call, or stopped at the stop time until
// the next delay time.
void AppendNotCalling(std::string& out, const StatusFacts& facts, const LocalTime& now)
{
    if (!facts.delay) {
        out += facts.calledSinceStart ? "Parked" : "Starting";
    } else if (facts.calledSinceStart) {
        out += "Parked until ";
        AppendDelayTime(out, facts, now, false);
    } else {
        out += "Waiting: first call at ";
        AppendDelayTime(out, facts, now, true);
    }
}

void AppendUtc(std::string& out, const UtcTime& time, bool withDate)
{
    if (withDate) {
        AppendDate(out, time.year, time.month, time.day);
        out += ' ';
    }
    AppendClock(out, time.hour, time.minute);
    out += " UTC";
}

void AppendRunState(std::string& out, const StatusFacts& facts, const LocalTime& now);

// "Sked 2 of 6: " and what the run does, " ... until 23:00 UTC"; or the
// next entry while parked between two.
void AppendSked(std::string& out, const StatusFacts& facts, const LocalTime& now)
{
    if (facts.sked == StatusFacts::Sked::Waiting) {
        out += "Waiting: ";
        out.append(facts.skedStation);
        out += " at ";
        AppendUtc(out, facts.skedTime, facts.skedOtherDay);
        out += " (";
        AppendWait(out, static_cast<int>(std::min<std::int64_t>(facts.skedWait, 1 << 30)));
        out += ')';
        return;
    }
    out += "Sked ";
    AppendNumber(out, facts.skedNumber);
    out += " of ";
    AppendNumber(out, facts.skedCount);
    out += ": ";
    if (!facts.frequencyTrouble.empty()) {
        // Why nothing goes out matters more than the entry's end, and the
        // reason goes last: a narrow bar cuts it first.
        out.append(facts.skedStation);
        out += ": frequency not set, again in ";
        AppendNumber(out, facts.skedWait);
        out += " s (";
        out.append(facts.frequencyTrouble);
        out += ')';
        return;
    } else if (facts.wsjtMissing) {
        out.append(facts.skedStation);
        out += ": WSJT not found, looking again in ";
        AppendNumber(out, facts.skedWait);
        out += " s";
    } else if (facts.skedReleased) {
        // The station and the contact's time are in the bar's second part
        // and on the Skeds page: at 96 dpi this part has room for what
        // comes next only.
        out.resize(out.size() - 2);  // "Sked 2 of 6" without its ": "
        out += " done";
        if (facts.skedNextStation.empty()) {
            out += "; no sked after it";
        } else {
            out += "; next: ";
            out.append(facts.skedNextStation);
            out += ' ';
            const bool otherDay = facts.skedNextTime.day != facts.skedContact.day;
            AppendUtc(out, facts.skedNextTime, otherDay);
        }
        return;
    } else {
        StatusFacts inEntry = facts;
        inEntry.sked = StatusFacts::Sked::None;
        AppendRunState(out, inEntry, now);
    }
    out += " \x85 until ";
    AppendUtc(out, facts.skedTime, false);
}

void AppendRunState(std::string& out, const StatusFacts& facts, const LocalTime& now)
{
    if (facts.sked == StatusFacts::Sked::Done) {
        out += "Skeds done";
        if (!facts.skedReport.empty()) {
            out += ", the night in ";
            out.append(facts.skedReport);
        }
    } else if (!facts.armed) {
        out += "Idle";
    } else if (facts.sked != StatusFacts::Sked::None) {
        AppendSked(out, facts, now);
    } else if (AppendStalled(out, facts, now)) {
        return;
    } else if (facts.state < 0) {
        AppendNotCalling(out, facts, now);
    } else if (facts.state == 0) {
        out += "Calling ";
        out.append(facts.cq || facts.partner.empty() ? std::string_view("CQ") : facts.partner);
        AppendNoDecodes(out, facts);
        AppendNextScan(out, now, ", next scan in ");
    } else if (facts.state <= 4) {
        AppendContact(out, facts, now);
    } else {
        out += "State ";
        AppendNumber(out, facts.state);
    }
}

// The second part: trouble with the run's records, else the contacts made.
// The last contact is named only while no other is being worked, where the
// first part names the partner anyway.
void AppendRecords(std::string& out, const StatusFacts& facts)
{
    if (facts.armed && (facts.troubles & LogNotOpen)) {
        out += "\tNo activity log";
    } else if (facts.armed && (facts.troubles & ContactsNotWritten)) {
        out += "\tContacts not saved";
    } else if (facts.contacts > 0) {
        out += '\t';
        AppendNumber(out, facts.contacts);
        out += facts.contacts == 1 ? " contact" : " contacts";
        if (facts.state >= 1 && facts.state <= 4)
            return;
        out += ", last ";
        out.append(facts.lastPartner);
        out += ' ';
        AppendClock(out, facts.lastHour, facts.lastMinute);
    }
}

// After the records, so that a logger out of reach or a period not set
// hides none of them.
void AppendNote(std::string& out, std::string_view lead, std::string_view note)
{
    if (note.empty())
        return;
    out += out.find('\t') == std::string::npos ? "\t" : "; ";
    out += lead;
    out.append(note);
}

}  // namespace

void StatusText(const StatusFacts& facts, const LocalTime& now, std::string& out)
{
    constexpr std::size_t TypicalLength = 128;  // longer partners grow it once
    if (out.capacity() < TypicalLength)
        out.reserve(TypicalLength);
    out.clear();
    AppendRunState(out, facts, now);
    AppendRecords(out, facts);
    if (facts.armed) {
        AppendNote(out, "Tx First not set: ", facts.periodTrouble);
        AppendNote(out, "Loggers (UDP): ", facts.loggerFault);
    }
}

namespace {

constexpr std::string_view SkedTail = " \x85 until ";
constexpr char Ellipsis = '\x85';

// Where a clause ends before `end` in `head`: the last ", ", "; " or " ("
// before it, or npos.
std::size_t ClauseEnd(std::string_view head, std::size_t end)
{
    std::size_t best = std::string_view::npos;
    for (std::string_view mark : {", ", "; ", " ("}) {
        const std::size_t at = end == 0 ? std::string_view::npos : head.rfind(mark, end - 1);
        if (at != std::string_view::npos && at < end && (best == std::string_view::npos || at > best))
            best = at;
    }
    return best;
}

// The head's first `n` characters without the blanks and marks a cut leaves.
std::string_view CutAt(std::string_view head, std::size_t n)
{
    head = head.substr(0, n);
    while (!head.empty() && std::string_view(" ,;:").find(head.back()) != std::string_view::npos)
        head.remove_suffix(1);
    return head;
}

// The longest cut of `head` at a blank, else at a letter, that fits with
// `after`; empty when not even one letter does (or `byLetter` is false and
// no word does).
std::string CutToFit(std::string_view head, std::string_view after, bool byLetter, int width,
                     const StatusMeasure& measure)
{
    std::string out;
    for (int pass = 0; pass < (byLetter ? 2 : 1); ++pass) {
        for (std::size_t n = head.size(); n-- > 1;) {
            if (pass == 0 && head[n] != ' ')
                continue;
            const std::string_view cut = CutAt(head, n);
            if (cut.empty())
                continue;
            out.assign(cut).append(after);
            if (measure(out) <= width)
                return out;
        }
    }
    return std::string();
}

}  // namespace

std::string FitStatusPart(std::string_view text, int width, const StatusMeasure& measure)
{
    if (measure(text) <= width)
        return std::string(text);
    const std::size_t tailAt = text.rfind(SkedTail);
    const std::string_view head = text.substr(0, tailAt);
    const std::string_view tail = tailAt == std::string_view::npos ? std::string_view() : text.substr(tailAt);
    std::string out;
    std::size_t shortest = head.size();
    for (std::size_t end = ClauseEnd(head, head.size()); end != std::string_view::npos; end = ClauseEnd(head, end)) {
        shortest = end;
        out.assign(head.substr(0, end)).append(tail);
        if (measure(out) <= width)
            return out;
    }
    // A sked's tail marks the cut with its own ellipsis.
    const std::string ellipsis(1, Ellipsis);
    if (!tail.empty()) {
        out = CutToFit(head.substr(0, shortest), tail, false, width, measure);
        if (!out.empty())
            return out;
        out.assign(tail.substr(1));
        if (measure(out) <= width)
            return out;
    }
    out = CutToFit(head.substr(0, shortest), ellipsis, true, width, measure);
    return out.empty() ? ellipsis : out;
}

StatusParts FitStatusParts(std::string_view text, int width, const StatusMeasure& measure)
{
    const std::size_t tab = text.find('\t');
    const std::string_view first = text.substr(0, tab);
    StatusParts parts;
    if (tab == std::string_view::npos) {
        parts.first = FitStatusPart(first, width, measure);
        return parts;
    }
    const std::string_view second = text.substr(tab + 1);
    const int firstRoom = std::min(width, std::max(width - measure(second), width - width / 3));
    parts.first = FitStatusPart(first, firstRoom, measure);
    parts.second = FitStatusPart(second, width - measure(parts.first), measure);
    parts.secondWidth = std::max(0, std::min(width - measure(parts.first), measure(parts.second)));
    return parts;
}
