#include "engine/scan_rules.h"

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
