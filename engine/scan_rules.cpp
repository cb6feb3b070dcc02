#include "engine/scan_rules.h"

#include <bit>

#include "engine/schedule.h"

// Two decimal digits, or -1.
static int TwoDigits(const char* p)
{
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9')
        return -1;
    return (p[0] - '0') * 10 + (p[1] - '0');
}

int StampOf(std::string_view line)
{
    if (line.size() < 6)
        return -1;
    const int hour = TwoDigits(line.data());
    const int minute = TwoDigits(line.data() + 2);
    const int second = TwoDigits(line.data() + 4);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return -1;
    return hour * 3600 + minute * 60 + second;
}

bool IsFreshSecond(int stamp, int scanSecondsOfDay)
{
    // Age of the stamp on the 24-hour dial, so the scans just after midnight
    // still see the decodes stamped just before and just after it.
    const int age = ((scanSecondsOfDay - stamp) % SecondsPerDay + SecondsPerDay) % SecondsPerDay;
    return age < FreshSeconds;
}

UtcTime StampUtc(int stamp, const LocalTime& stampClock, const UtcTime& utc)
{
    // WSJT's clock counted as if it were UTC; the zone then moves it there.
    const std::int64_t clock = UtcSeconds(stampClock);
    const int scanSecond = stampClock.hour * 3600 + stampClock.minute * 60 + stampClock.second;
    std::int64_t stamped = clock - scanSecond + stamp;
    if (stamp > scanSecond)
        stamped -= SecondsPerDay;
    const std::int64_t apart = UtcSeconds(utc) - clock;
    const std::int64_t zone = (apart >= 0 ? (apart + 30) / 60 : -((30 - apart) / 60)) * 60;
    return UtcTimeOf(stamped + zone);
}

bool IsFreshStamp(std::string_view line, int scanSecondsOfDay)
{
    const int stamp = StampOf(line);
    return stamp >= 0 && IsFreshSecond(stamp, scanSecondsOfDay);
}

FreshFilter::FreshFilter(int scanSecondsOfDay) : scan_(scanSecondsOfDay)
{
    const int ends[2] = {scanSecondsOfDay - (FreshSeconds - 1), scanSecondsOfDay};
    for (int i = 0; i < 2; ++i) {
        const int second = (ends[i] % SecondsPerDay + SecondsPerDay) % SecondsPerDay;
        const int hour = second / 3600, minute = second / 60 % 60;
        const char hhmm[4] = {static_cast<char>('0' + hour / 10), static_cast<char>('0' + hour % 10),
                              static_cast<char>('0' + minute / 10), static_cast<char>('0' + minute % 10)};
        std::memcpy(&minutes_[i], hhmm, 4);
    }
}

std::string_view MessageOf(std::string_view line)
{
    if (line.size() < MessageColumn)
        return {};
    return line.substr(MessageColumn - 1);
}

AnyOccurs::AnyOccurs(std::span<const std::string> texts)
{
    for (const std::string& text : texts) {
        if (text.empty())
            continue;
        if (texts_.size() == 32)
            break;
        startsWith_[static_cast<unsigned char>(text[0])] |= 1u << texts_.size();
        texts_.push_back(text);
    }
}

bool AnyOccurs::operator()(std::string_view in) const
{
    for (std::size_t at = 0; at < in.size(); ++at) {
        for (std::uint32_t which = startsWith_[static_cast<unsigned char>(in[at])]; which; which &= which - 1) {
            const std::string& text = texts_[static_cast<std::size_t>(std::countr_zero(which))];
            if (text.size() <= in.size() - at && std::memcmp(text.data(), in.data() + at, text.size()) == 0)
                return true;
        }
    }
    return false;
}

unsigned WalkProgression(unsigned state, std::string_view message,
                         const std::array<std::string, 5>& steps)
{
    for (unsigned j = state; j < steps.size(); ++j) {
        if (Occurs(steps[j], message))
            state = j + 1;
        else if (j == state && state != 0)
            continue;  // the partner may be one step ahead of us
        else
            break;
    }
    return state;
}

bool PartnersDecode(std::string_view message, std::string_view partner, std::string_view ownCall,
                    const std::array<std::string, 5>& steps, bool heard)
{
    if (Occurs(partner, message) || Occurs(ownCall, message))
        return true;
    if (!heard)
        return false;
    for (std::size_t i = 1; i < steps.size(); ++i)
        if (Occurs(steps[i], message))
            return true;
    return false;
}
