// The night's records as the follower feeds them; see engine/night.h.
#include "engine/night.h"

#include <algorithm>

void Night::Begin(std::size_t scheduled)
{
    *this = Night(scheduled);
}

NightEntry* Night::Open()
{
    return open_ && !entries_.empty() ? &entries_.back() : nullptr;
}

void Night::EntryStarted(int index, const SkedEntry& entry, std::int64_t startUtc, std::int64_t endUtc)
{
    EntryEnded(startUtc);
    if (entries_.size() >= EntriesPerNight) {
        ++notKept_;
        return;
    }
    NightEntry& e = entries_.emplace_back();
    e.index = index;
    e.sked = entry;
    e.start = startUtc;
    e.end = endUtc;
    open_ = true;
}

void Night::PartnerHeard(std::int64_t utc, int step, std::string_view text)
{
    NightEntry* e = Open();
    if (!e)
        return;
    step = std::clamp(step, int(StepHeard), int(StepRRR));
    ++e->decodes;
    if (e->firstHeard < 0 || utc < e->firstHeard)
        e->firstHeard = utc;
    e->lastHeard = std::max(e->lastHeard, utc);
    e->furthest = std::max(e->furthest, step);
    if (e->marks.size() < MarksPerEntry && marks_ < MarksPerNight) {
        e->marks.push_back({utc, step, std::string(text.substr(0, MaxMarkText))});
        ++marks_;
        return;
    }
    aggregated_ = true;
    const std::int64_t minute = utc - (utc % 60 + 60) % 60;
    // Kept in time order, so a minute is found however the decodes come.
    auto at = std::lower_bound(e->minutes.begin(), e->minutes.end(), minute,
                               [](const NightMinute& m, std::int64_t t) { return m.minute < t; });
    if (at != e->minutes.end() && at->minute == minute) {
        ++at->count;
        at->step = std::max(at->step, step);
    } else if (minutes_ < MinutesPerNight) {
        e->minutes.insert(at, {minute, 1, step});
        ++minutes_;
    } else {
        ++notKept_;
    }
}

void Night::ContactCompleted(std::int64_t utc, std::string_view station)
{
    NightEntry* e = Open();
    if (!e)
        return;
    if (e->contacts.size() < ContactsPerEntry)
        e->contacts.push_back({utc, std::string(station.substr(0, MaxSkedCallLength))});
    else
        ++e->contactsNotKept;
}

void Night::WsjtMissing(std::int64_t fromUtc)
{
    NightEntry* e = Open();
    if (!e || (!e->gaps.empty() && e->gaps.back().to < 0))
        return;
    // Beyond the bound the last gap grows to take in the new one.
    if (e->gaps.size() >= GapsPerEntry)
        e->gaps.back().to = -1;
    else
        e->gaps.push_back({fromUtc, -1});
}

void Night::WsjtFound(std::int64_t utc)
{
    NightEntry* e = Open();
    if (e && !e->gaps.empty() && e->gaps.back().to < 0)
        e->gaps.back().to = std::max(utc, e->gaps.back().from);
}

void Night::PeriodNotSet(std::string_view reason)
{
    if (NightEntry* e = Open())
        e->periodTrouble = reason.empty() ? std::string("not set") : std::string(reason.substr(0, 200));
}

void Night::FrequencyNotSet(std::string_view reason)
{
    if (NightEntry* e = Open())
        e->frequencyTrouble = reason.empty() ? std::string("not set") : std::string(reason.substr(0, 200));
}

void Night::FrequencySet()
{
    if (NightEntry* e = Open())
        e->frequencyTrouble.clear();
}

void Night::EntryEnded(std::int64_t utc)
{
    NightEntry* e = Open();
    if (!e)
        return;
    WsjtFound(utc);
    e->ended = utc;
    open_ = false;
}

void Night::RunEnded(std::int64_t utc)
{
    EntryEnded(utc);
    runEnd_ = utc;
}
