// The partner stations of the stand-in WSJT on the air: on each tick of a
// 250 ms timer they hear what our WSJT sends at the end of our transmit
// period (a partner with a period of its own only when our Tx First box
// puts us in the other) and append their own period's decodes to
// decoded.cum, stamped with the period's start in UTC, as WSJT stamps them
// whatever the computer's time zone. The decisions are partner_sim's; this
// is the clock and the file.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/partner_sim.h"

class PartnersOnAir {
public:
    using Transmitted = std::string (*)();              // our message, "" when Auto is off
    using TransmitsFirst = bool (*)();                  // our Tx First box is ticked
    using Journal = void (*)(const std::string& event);  // the stand-in's journal

    // The timing of each partner is TurnAt's; `fast` applies to partners
    // without a period. `newsBox` shows the latest doings.
    PartnersOnAir(const std::vector<PartnerConfig>& partners, const std::string& decodedPath, bool fast,
                  HWND newsBox, Transmitted transmitted, TransmitsFirst transmitsFirst, Journal journal);

    // Reads the UTC clock; every second since the last tick gets its turn,
    // so a late tick loses no period; after a jump of the clock only the
    // present second does.
    void Tick();

private:
    void Second(int secondOfDay);
    void Hear(const std::vector<PartnerSim*>& listeners);
    void Decode(const std::vector<PartnerSim*>& senders, int stampSecondOfDay);
    HANDLE OpenDecodedForAppending() const;
    void News(const std::string& line);

    std::vector<PartnerSim> partners_;
    std::string decodedPath_;
    bool fast_;
    HWND newsBox_;
    Transmitted transmitted_;
    TransmitsFirst transmitsFirst_;
    Journal journal_;
    int lastSecond_ = -1;  // the last second of the day acted on
    std::uint32_t variation_ = 0;
    std::vector<std::string> news_;  // the box's lines, newest last
};
