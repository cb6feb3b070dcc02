// Freshness of a decoded line against a plain model: a valid hhmmss stamp
// within the 55 seconds before the scan, across midnight; and the fast
// filter agrees with the rule.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/scan_rules.h"

static bool Model(std::string_view line, int scan)
{
    if (line.size() < 6)
        return false;
    for (int i = 0; i < 6; ++i)
        if (line[i] < '0' || line[i] > '9')
            return false;
    const int h = (line[0] - '0') * 10 + line[1] - '0';
    const int m = (line[2] - '0') * 10 + line[3] - '0';
    const int s = (line[4] - '0') * 10 + line[5] - '0';
    if (h > 23 || m > 59 || s > 59)
        return false;
    const int age = ((scan - (h * 3600 + m * 60 + s)) % 86400 + 86400) % 86400;
    return age < 55;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const int scan = ((data[0] << 16) | (data[1] << 8) | data[2]) % 86400;
    const std::string_view line(reinterpret_cast<const char*>(data + 3), size - 3);
    const bool fresh = IsFreshStamp(line, scan);
    if (fresh != Model(line, scan) || FreshFilter(scan)(line) != fresh)
        std::abort();
    return 0;
}
