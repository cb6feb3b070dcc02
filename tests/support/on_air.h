// A whole station on the air for tests: the model window, a simulated WSJT
// and a simulated partner, on a simulated clock. Each second: one tick of
// the run clock; at second 59 the partner hears what our WSJT sent in our
// transmit period (30..59); at second 32 the partner's period (0..29) is
// decoded into decoded.cum, stamped with the period's start in UTC, as WSJT
// stamps, while the computer's clock keeps the local time of
// platform.zoneSeconds.
#pragma once
#include <string>
#include <vector>

#include "tests/support/run_fixture.h"
#include "tests/support/sim_wsjt.h"
#include "tools/partner_sim.h"

struct OnAir : RunFixture {
    SimWindowSystem air;  // the current desktop from here on, in place of the fixture's
    SimWsjt station{air, "Q1ABC"};
    PartnerSim partner{PartnerConfig{}};
    std::vector<std::string> sentLines;  // every decode line written, in order
    int now = 0;                          // local seconds since the first day's midnight
    bool localStamps = false;             // our WSJT stamps in local time, not UTC
    std::uint32_t variation = 0;

    OnAir() { platform.pieceSize = 1 << 16; }  // files of many lines, read in big pieces

    void SetPartner(const PartnerConfig& config) { partner = PartnerSim(config); }
    void At(int h, int m, int s) { now = h * 3600 + m * 60 + s; SetClock(); }
    void SetClock() { w.SetTime(now / 3600 % 24, now / 60 % 60, now % 60); }

    void Second()
    {
        SetClock();
        w.form.OnTimer();
        const int s = now % 60;
        if (s == 59)
            partner.Hear(station.Transmitting());
        if (s == 32)
            Decode(partner.NextMessages());
        ++now;
    }
    void Run(int seconds) { while (seconds-- > 0) Second(); }
    // Runs until `done` holds or `limit` seconds pass; false on the limit.
    template <class Done> bool RunUntil(Done done, int limit)
    {
        for (; limit > 0; --limit) {
            if (done())
                return true;
            Second();
        }
        return done();
    }

    void Decode(const std::vector<std::string>& messages)
    {
        // The partner's period began at second 0, on WSJT's clock.
        const int day = 24 * 3600;
        const int stamp = ((now - now % 60 - (localStamps ? 0 : platform.zoneSeconds)) % day + day) % day;
        for (const std::string& m : messages) {
            const std::string line =
                DecodeLine(stamp / 3600 % 24, stamp / 60 % 60, stamp % 60, m, variation++);
            sentLines.push_back(line);
            platform.files[Decoded] += line + "\r\n";
        }
    }
};
