#include "engine/run_state.h"

#include <cmath>
#include <limits>

std::array<PeerHandle, pcCount> PeerControls{};
std::unique_ptr<std::vector<PeerHandle>> WinList;
std::optional<std::vector<std::string>> CallList;
std::unique_ptr<DecodedReading> DecodedLines;
std::array<std::string, 8> LogTokens;
std::array<std::string, 5> Progression;
std::string PartnerCall;
std::int32_t TickCount = 0;
std::int32_t TickLimit = 0;
FileHandle LogHandle = NoFile;
bool LogOpen = false;

void ResetRunState()
{
    PeerControls.fill(NoPeer);
    WinList.reset();
    CallList.reset();
    DecodedLines.reset();
    LogTokens.fill(std::string());
    Progression.fill(std::string());
    PartnerCall.clear();
    TickCount = 0;
    TickLimit = 0;
    LogHandle = NoFile;
    LogOpen = false;
}

static std::int32_t ClampToInt32(double value)
{
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value))
        return 0;
    if (value <= lo)
        return std::numeric_limits<std::int32_t>::min();
    if (value >= hi)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

// std::nearbyint rounds in the current mode, which is to-nearest-even unless
// somebody changed it; this program never does.
std::int32_t RoundMinutes(double minutes)
{
    return ClampToInt32(std::nearbyint(minutes));
}

std::int32_t MinutesToSeconds(double minutes)
{
    if (std::isnan(minutes))
        return 0;
    return ClampToInt32(std::nearbyint(minutes) * 60.0);
}
