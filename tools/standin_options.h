// The stand-in WSJT's switches, as its contract (tools/standin_wsjt.cpp)
// lists them, read from its command line. Portable, so tested natively.
#pragma once
#include <string>
#include <vector>

#include "tools/partner_sim.h"

struct StandInOptions {
    std::string myCall = "Q1ABC";
    std::string journal;
    bool autoStuck = false;
    bool txFirst = false;
    bool txFirstStuck = false;
    std::vector<std::string> missing;
    int hangSeconds = 0;
    int hangAfter = 0;
    std::string holdDecoded;
    std::string decoded;
    std::vector<PartnerConfig> partners;
    int noise = 1;
    bool fast = false;
    int x = 0, y = 400;
};

// Unknown switches, and a switch missing its value, are passed over; the
// partner switches (/behaviour, /oncall, /misses, /period) shape the last
// /partner given and are passed over before the first.
StandInOptions ParseStandInOptions(int argc, const char* const* argv);
