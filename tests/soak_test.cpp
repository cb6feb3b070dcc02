// Seven simulated days of a parked daily sked run, one tick a second, with
// a partner that behaves differently each day, WSJT's windows vanishing for
// a while and the decoded file held open by another program for a while.
// After every tick the run state must be sound, and the activity log must
// only ever grow, holding every relevant decode exactly once.
#include <gtest/gtest.h>

#include "tests/support/on_air.h"

namespace {

bool Relevant(const ::Run& run, const std::string& line)
{
    const std::string message = line.size() > 32 ? line.substr(32) : std::string();
    for (const std::string& token : run.LogTokens)
        if (!token.empty() && message.find(token) != std::string::npos)
            return true;
    return false;
}

void SetAlive(SimWindowSystem& desktop, bool alive)
{
    for (auto& window : desktop.windows)
        window.alive = alive;
}

}  // namespace

TEST_F(OnAir, SevenDaysUnattended)
{
    const PartnerBehaviour days[] = {PartnerBehaviour::Normal, PartnerBehaviour::StopsHalfway,
                                     PartnerBehaviour::NeverAnswers, PartnerBehaviour::OneStepAhead,
                                     PartnerBehaviour::Normal, PartnerBehaviour::Normal, PartnerBehaviour::Normal};
    w.ClickDelay(true);
    w.ClickStop(true);
    w.dtpDelay.SetTime(6, 0);
    w.dtpStop.SetTime(22, 0);
    w.eTLimit.value = 10;
    At(5, 0, 0);
    w.eTRCS.text = "Q9XYZ";
    w.eCS.text = "Q1ABC";
    w.form.bRunClick();
    ASSERT_TRUE(Armed());

    std::vector<std::string> expected;  // relevant lines a scan with an open log saw fresh
    std::string log;
    std::size_t minuteLines = 0;
    int contacts = 0;
    const int end = 7 * 86400;
    while (now < end) {
        const int day = now / 86400, t = now % 86400, s = now % 60;
        if (t == 6 * 3600 - 1) {
            PartnerConfig c;
            c.behaviour = days[day];
            c.seed = day + 1;
            SetPartner(c);
        }
        // WSJT's windows gone for half an hour on day 2; the decoded file
        // held open for writing for five minutes on day 3.
        if (day == 1 && t == 10 * 3600) SetAlive(air, false);
        if (day == 1 && t == 10 * 3600 + 1800) SetAlive(air, true);
        const bool locked = day == 2 && t >= 7 * 3600 && t < 7 * 3600 + 300;
        if (locked)
            platform.readLocked.insert(Decoded);
        else
            platform.readLocked.erase(Decoded);

        if (s == 32)
            minuteLines = sentLines.size();  // this second decodes the partner's period
        const bool scanWillLog = s == 35 && w.form.run.FState != -1 && run.LogOpen && !locked;
        const int stateBefore = w.form.run.FState;
        const std::int32_t ticksBefore = run.TickCount;
        Second();
        if (scanWillLog)
            for (std::size_t i = minuteLines; i < sentLines.size(); ++i)
                if (Relevant(run, sentLines[i]))
                    expected.push_back(sentLines[i]);

        // The run state stays sound.
        const int state = w.form.run.FState;
        ASSERT_GE(state, -1);
        ASSERT_LE(state, 4);
        if (state == 0) {
            ASSERT_EQ(run.TickCount, 0);
        }
        if (stateBefore <= 0 && state <= 0) {
            ASSERT_LE(run.TickCount, ticksBefore);
        }
        if (run.LogOpen) {
            ASSERT_TRUE(platform.openFiles.count(run.LogHandle));
        }
        ASSERT_TRUE(Armed());
        if (stateBefore == 3 && state == 4)
            ++contacts;

        // The log only grows.
        const std::string& grown = platform.files[Log];
        ASSERT_EQ(grown.compare(0, log.size(), log), 0) << "log rewritten at " << now;
        log = grown;
    }

    EXPECT_GE(contacts, 4);
    EXPECT_EQ(platform.messages.size(), 10u);  // one per failed scan while locked
    EXPECT_EQ(air.TextOf(station.peer.toRadio), "12345");  // released at the stop time

    // Every relevant line once, and nothing else.
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> got;
    for (std::size_t at = 0; at < log.size();) {
        const std::size_t eol = log.find("\r\n", at);
        ASSERT_NE(eol, std::string::npos) << "unterminated log line";
        got.push_back(log.substr(at, eol - at));
        at = eol + 2;
    }
    std::sort(got.begin(), got.end());
    EXPECT_EQ(std::adjacent_find(got.begin(), got.end()), got.end()) << "a line was logged twice";
    EXPECT_EQ(got, expected);
}
