// What is told of the night's entries: their outcomes, figures and the
// lines for the activity log; see engine/night.h.
#include "engine/night.h"

#include <algorithm>

#include "engine/clock_text.h"

namespace {

const char* const StepHeardText[] = {"heard", "27 heard", "R27 heard", "RRR heard"};
// A CQ entry's outcome names this many stations, then how many more.
constexpr std::size_t NamedStations = 10;
// An entry's tip gives the times of this many of WSJT's absences.
constexpr std::size_t NamedGaps = 3;

std::int64_t MissingSeconds(const NightEntry& e)
{
    std::int64_t total = 0;
    for (const NightGap& gap : e.gaps) {
        const std::int64_t to = gap.to >= 0 ? gap.to : (e.ended >= 0 ? e.ended : e.end);
        total += std::max<std::int64_t>(0, std::min(to, e.end) - std::max(gap.from, e.start));
    }
    return total;
}

bool MissingMostly(const NightEntry& e)
{
    return MissingSeconds(e) * 2 >= e.end - e.start && e.end > e.start;
}

void AppendClockOf(std::string& out, std::int64_t utc)
{
    const UtcTime t = UtcTimeOf(utc);
    AppendClock(out, t.hour, t.minute);
}

std::string MissingText(const NightEntry& e)
{
    std::string out = "WSJT missing ";
    AppendNumber(out, MissingMinutes(e));
    out += " min";
    return out;
}

std::string CqWorked(const NightEntry& e)
{
    std::string out;
    for (std::size_t i = 0; i < e.contacts.size() && i < NamedStations; ++i) {
        if (i)
            out += ", ";
        out += e.contacts[i].station;
    }
    const std::int64_t more = std::int64_t(e.contacts.size()) + e.contactsNotKept - std::int64_t(NamedStations);
    if (more > 0) {
        out += " and ";
        AppendNumber(out, more);
        out += " more";
    }
    return out;
}

}  // namespace

std::int64_t MissingMinutes(const NightEntry& entry)
{
    return (MissingSeconds(entry) + 30) / 60;
}

EntryResult ResultOf(const NightEntry& e)
{
    if (!e.contacts.empty() || e.contactsNotKept)
        return EntryResult::Contact;
    if (e.furthest >= 0 && !e.sked.Cq())
        return EntryResult::Heard;
    if (!e.frequencyTrouble.empty())
        return EntryResult::FrequencyNotSet;
    if (MissingMostly(e))
        return EntryResult::WsjtMissing;
    if (!e.periodTrouble.empty())
        return EntryResult::PeriodNotSet;
    return EntryResult::NotHeard;
}

std::string EntryOutcome(const NightEntry& e)
{
    std::string out;
    const EntryResult result = ResultOf(e);
    switch (result) {
    case EntryResult::Contact:
        if (e.sked.Cq()) {
            out = CqWorked(e);
        } else {
            out = "contact ";
            AppendClockOf(out, e.contacts.front().utc);
        }
        return out;
    case EntryResult::Heard: out.append(StepHeardText[e.furthest]); break;
    case EntryResult::WsjtMissing: return MissingText(e);
    case EntryResult::PeriodNotSet: return "Tx First not set";
    case EntryResult::FrequencyNotSet: return "frequency not set";
    case EntryResult::NotHeard: out.append(e.sked.Cq() ? "no contact" : "not heard"); break;
    }
    if (MissingMinutes(e) >= 1) {
        out += ", ";
        out += MissingText(e);
    }
    return out;
}

std::string HeardFigures(const NightEntry& e)
{
    if (e.decodes == 0)
        return "never heard";
    std::string out = "heard ";
    AppendClockOf(out, e.firstHeard);
    out += '-';
    AppendClockOf(out, e.lastHeard);
    out += " UTC, ";
    AppendNumber(out, e.decodes);
    out += e.decodes == 1 ? " decode" : " decodes";
    return out;
}

std::string EntryTip(const NightEntry& e)
{
    std::string out = HeardFigures(e);
    for (std::size_t i = 0; i < e.contacts.size() && i < NamedStations; ++i) {
        out += i ? ", " : "\r\nworked ";
        out += e.contacts[i].station;
        out += ' ';
        AppendClockOf(out, e.contacts[i].utc);
    }
    const std::int64_t more = std::int64_t(e.contacts.size()) + e.contactsNotKept - std::int64_t(NamedStations);
    if (more > 0) {
        out += " and ";
        AppendNumber(out, more);
        out += " more";
    }
    if (!e.gaps.empty()) {
        out += "\r\n";
        out += MissingText(e);
        out += ':';
        for (std::size_t i = 0; i < e.gaps.size() && i < NamedGaps; ++i) {
            const NightGap& gap = e.gaps[i];
            out += i ? ", " : " ";
            AppendClockOf(out, std::max(gap.from, e.start));
            out += '-';
            AppendClockOf(out, std::min(gap.to >= 0 ? gap.to : (e.ended >= 0 ? e.ended : e.end), e.end));
        }
        if (e.gaps.size() > NamedGaps)
            out += ", ...";
    }
    if (!e.periodTrouble.empty()) {
        out += "\r\nTx First not set: ";
        out += e.periodTrouble;
    }
    if (!e.frequencyTrouble.empty()) {
        out += "\r\nfrequency not set: ";
        out += e.frequencyTrouble;
    }
    return out;
}

const NightEntry* LastOccurrence(const Night& night, int index)
{
    const std::vector<NightEntry>& entries = night.Entries();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (it->index == index)
            return &*it;
    return nullptr;
}

std::string UtcDay(std::int64_t utc)
{
    const UtcTime t = UtcTimeOf(utc);
    std::string out;
    AppendDate(out, t.year, t.month, t.day);
    return out;
}

std::string EntryWhen(const NightEntry& e)
{
    const UtcTime from = UtcTimeOf(e.start);
    std::string out;
    AppendDate(out, from.year, from.month, from.day);
    out += ' ';
    AppendClock(out, from.hour, from.minute);
    out += '-';
    AppendClockOf(out, e.end);
    return out;
}

std::string EntryLogLine(const Night& night, const NightEntry& e)
{
    std::string out = "Sked ";
    AppendNumber(out, e.index + 1);
    if (night.Scheduled()) {
        out += " of ";
        AppendNumber(out, static_cast<long long>(night.Scheduled()));
    }
    out += ' ';
    out += EntryWhen(e);
    out += ' ';
    out += e.sked.station;
    if (*TxPeriodText(e.sked.period)) {
        out += ' ';
        out += TxPeriodText(e.sked.period);
    }
    out += ": ";
    out += EntryOutcome(e);
    out += "; ";
    out += HeardFigures(e);
    return out;
}

std::string NightSummary(const Night& night)
{
    const auto& entries = night.Entries();
    std::string out = "Night";
    if (!entries.empty()) {
        out += " of ";
        out += UtcDay(entries.front().start);
    }
    out += ": ";
    AppendNumber(out, static_cast<long long>(entries.size()));
    out += entries.size() == 1 ? " entry" : " entries";
    long long counts[6] = {}, contacts = 0;
    for (const NightEntry& e : entries) {
        ++counts[int(ResultOf(e))];
        contacts += static_cast<long long>(e.contacts.size()) + e.contactsNotKept;
    }
    const struct {
        EntryResult result;
        const char* text;
    } parts[] = {{EntryResult::Contact, " with a contact"},
                 {EntryResult::Heard, " heard"},
                 {EntryResult::NotHeard, " not heard"},
                 {EntryResult::WsjtMissing, " WSJT missing"},
                 {EntryResult::PeriodNotSet, " Tx First not set"},
                 {EntryResult::FrequencyNotSet, " frequency not set"}};
    for (const auto& part : parts) {
        const long long n = counts[int(part.result)];
        if (!n)
            continue;
        out += ", ";
        AppendNumber(out, n);
        out += part.text;
        if (part.result == EntryResult::Contact) {
            out += " (";
            AppendNumber(out, contacts);
            out += contacts == 1 ? " contact)" : " contacts)";
        }
    }
    return out;
}
