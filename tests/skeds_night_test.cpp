// A night of skeds on the simulated air: six entries with a CQ slot and a
// gap, partners that miss periods, never answer or stop halfway, WSJT closed
// mid-sked and in the gap, the local clock an hour ahead of UTC.
// Each entry runs to its contact or its end, and each contact leaves one
// record with the right callsign.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "engine/schedule.h"
#include "tests/support/on_air.h"

namespace {

struct NightOnAir : OnAir {
    static constexpr const char* Adif = "c:\\program files\\wsjt\\tavrix.adi";
    static constexpr int ZoneOffset = 3600;  // local time is UTC + 1 h
    NightOnAir() { platform.zoneSeconds = ZoneOffset; }  // WSJT stamps its decodes in UTC

    // `now` counts local seconds from 2026-12-13 00:00.
    void SetClocks()
    {
        platform.now = UtcTimeOf(1797120000 + now);
        platform.utcNow = UtcTimeOf(1797120000 + now - ZoneOffset);
    }
    // As OnAir::Second, but the partner misses some of our periods and some
    // of its own are not decoded, as meteor pings come and go.
    void NightSecond()
    {
        SetClocks();
        w.form.OnTimer();
        const int s = now % 60, minute = now / 60;
        if (s == 59)
            partner.Hear(minute % 4 == 1 ? std::string() : station.Transmitting());
        if (s == 32 && minute % 5 != 2)
            Decode(partner.NextMessages());
        ++now;
    }
    std::string Radio() { return air.TextOf(station.peer.toRadio); }
    std::vector<std::string> RecordedCalls()
    {
        std::vector<std::string> calls;
        const std::string& adif = platform.files[Adif];
        for (std::size_t at = adif.find("<CALL:"); at != std::string::npos; at = adif.find("<CALL:", at + 1)) {
            const std::size_t from = adif.find('>', at) + 1;
            calls.push_back(adif.substr(from, adif.find(' ', from) - from));
        }
        return calls;
    }
};

PartnerConfig Partner(const char* call, PartnerBehaviour behaviour)
{
    return {call, "Q1ABC", behaviour};
}

}  // namespace

TEST_F(NightOnAir, SixEntriesWithACqSlot)
{
    std::vector<SkedLine> lines;
    ScheduleProblem problem;
    ASSERT_TRUE(ParseSchedule("# Geminids\n2026-12-13 22:00 22:30 Q9XYZ\n2026-12-13 22:30 23:00 q7pqr\n"
                              "2026-12-13 23:00 23:30 CQ\n2026-12-13 23:30 00:30 Q4AAA\n2026-12-14 00:30 01:00 Q3BBB\n"
                              "2026-12-14 01:30 02:00 Q2CCC\n",
                              lines, problem));
    const std::vector<SkedEntry> entries = EntriesOf(lines);
    std::map<std::string, PartnerConfig> partners = {
        {"Q9XYZ", Partner("Q9XYZ", PartnerBehaviour::Normal)},
        {"Q7PQR", Partner("Q7PQR", PartnerBehaviour::Normal)},
        {"CQ", Partner("Q5KLM", PartnerBehaviour::CqListed)},
        {"Q4AAA", Partner("Q4AAA", PartnerBehaviour::NeverAnswers)},
        {"Q3BBB", Partner("Q3BBB", PartnerBehaviour::StopsHalfway)},
        {"Q2CCC", Partner("Q2CCC", PartnerBehaviour::Normal)}};

    // START at 22:05:10 UTC in CQ mode, for the list, with a delayed start
    // and a stop time the schedule ignores.
    now = 23 * 3600 + 5 * 60 + 10;
    SetClocks();
    w.ClickDelay(true);
    w.ClickStop(true);
    w.dtpStop.SetTime(23, 10);
    StartCQ("Q5KLM\r\nQ8ZZZ\r\n");
    ASSERT_TRUE(CheckSchedule(lines, UtcSeconds(platform.utcNow), problem)) << problem.what;
    SetPartner(partners["Q9XYZ"]);
    run.skeds.Follow(entries, UtcSeconds(platform.utcNow));
    EXPECT_EQ(Radio(), "Q9XYZ");  // already running: called at once

    std::vector<int> reached(entries.size(), -1);  // the highest state in each entry
    std::string status, doneStatus;
    while (Armed() && now < 30 * 3600) {
        // WSJT closed for a while in the second sked, and between the last
        // two, started again after the last one's start.
        const bool closed = (now >= 23 * 3600 + 32 * 60 && now < 23 * 3600 + 34 * 60) ||
                            (now >= 26 * 3600 + 600 && now < 26 * 3600 + 31 * 60 + 20);
        if (closed && air.windows[0].alive) {  // started again as it starts: at rest
            air.SetTextOf(station.peer.toRadio, "12345");
            air.Find(station.peer.autoButton)->text = "&Auto is OFF";
            air.Find(station.peer.autoButton)->toggleTo = "&Auto is ON";
        }
        for (auto& window : air.windows)
            window.alive = !closed;
        NightSecond();
        const SkedPosition at = WhereInSchedule(entries, UtcSeconds(platform.utcNow));
        const bool starts = at.kind == SkedPosition::Running && at.start == UtcSeconds(platform.utcNow);
        run.StatusLine(status);
        status.resize(std::min(status.size(), status.find('\t')));  // the bar's first part
        if (starts)
            SetPartner(partners[entries[at.entry].station]);
        if (starts && at.entry < 5) {
            ASSERT_EQ(run.FState, 0);  // the previous one released, this one called
            ASSERT_EQ(Radio(), entries[at.entry].station);
        } else if (starts) {
            EXPECT_EQ(status, "Sked 6 of 6: Q2CCC: WSJT not found, looking again in 60 s \x85 until 02:00 UTC");
        } else if (now == 26 * 3600 + 30) {
            EXPECT_EQ(status, "Waiting: Q2CCC at 01:30 UTC (in 30 min)");
            EXPECT_EQ(Radio(), "12345");
        }
        if (at.kind == SkedPosition::Running)
            reached[at.entry] = std::max(reached[at.entry], int(run.FState));
        if (status.find(" done; ") != std::string::npos && doneStatus.empty())
            doneStatus = status;
    }
    EXPECT_EQ(now, 27 * 3600 + 1);  // ended at 02:00:00 UTC
    EXPECT_EQ(Radio(), "12345");
    EXPECT_EQ(status, "Skeds done, the night in tavrix-night-2026-12-13.html");
    EXPECT_EQ(reached, (std::vector<int>{4, 4, 4, 0, 3, 4}));
    EXPECT_EQ(RecordedCalls(), (std::vector<std::string>{"Q9XYZ", "Q7PQR", "Q5KLM", "Q2CCC"}));
    // A sked done is released at its 73 step's time-out and not called again.
    for (const char* call : {"-> Q9XYZ", "-> Q2CCC"})
        EXPECT_EQ(std::count_if(air.journal.begin(), air.journal.end(),
                                [call](const std::string& line) { return line.ends_with(call); }),
                  1)
            << call;
    EXPECT_EQ(doneStatus, "Sked 1 of 6 done; next: Q7PQR 22:30 UTC");
    // Each entry's outcome, kept after the run, told in the activity log at
    // its end, and the night's page beside the log.
    const char* const states[] = {"contact 22:", "contact 22:", "Q5KLM", "not heard", "R27 heard", "contact 01:"};
    const std::string& log = platform.files[Log];
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string state = run.skeds.StateText(i, UtcSeconds(platform.utcNow));
        EXPECT_TRUE(state.starts_with(states[i])) << i << " " << state;
        EXPECT_NE(log.find(" UTC Sked " + std::to_string(i + 1) + " of 6 "), std::string::npos) << i;
    }
    EXPECT_NE(log.find(" UTC Night of 2026-12-13: 6 entries, 4 with a contact"), std::string::npos) << log;
    EXPECT_EQ(run.skeds.ReportPath(), "c:\\program files\\wsjt\\tavrix-night-2026-12-13.html");
    EXPECT_TRUE(platform.files[run.skeds.ReportPath()].starts_with("<!DOCTYPE html>"));
}
