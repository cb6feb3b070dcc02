// The activity log is the operator's record: whatever happens to a run it
// only ever grows at its end. Checked after every second of runs, stops,
// a parked run's next day, a closed program started again and a program
// that died with the log open.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "engine/run.h"
#include "tests/support/model_window.h"
#include "tests/support/sim_window_system.h"
#include "tools/partner_sim.h"

namespace {

constexpr const char* Log = "c:\\program files\\wsjt\\tavrixlog.txt";
constexpr const char* Decoded = "c:\\program files\\wsjt\\decoded.cum";

class NothingLost : public ::testing::Test {
protected:
    SimWindowSystem desktop;
    SimWindowSystem::Peer wsjt = desktop.AddWsjt();
    std::optional<ModelWindow> w{std::in_place};
    std::string expected = "the log of an earlier week\r\n";  // what the log must hold
    int now = 12 * 3600 + 5 * 60;  // seconds since the first day's midnight

    NothingLost()
    {
        w->platform.files[Log] = expected;
        w->form.FormCreate();
    }

    FakePlatform& Disk() { return w->platform; }
    void SetClock() { w->SetTime(now / 3600 % 24, now / 60 % 60, now % 60); }

    // The log holds exactly what it held before plus, possibly, more at its end.
    void CheckGrowsOnly(const std::string& before)
    {
        const std::string& log = Disk().files[Log];
        ASSERT_GE(log.size(), before.size());
        ASSERT_EQ(log.compare(0, before.size(), before), 0) << "the log was rewritten";
    }

    void Run(int seconds)
    {
        while (seconds-- > 0) {
            const std::string before = Disk().files[Log];
            SetClock();
            w->form.OnTimer();
            ++now;
            CheckGrowsOnly(before);
        }
    }
    void RunUntil(int h, int m, int s)
    {
        const int target = h * 3600 + m * 60 + s;
        Run((target - now % 86400 + 86400) % 86400);
    }

    // Our partner is decoded now; the two scans of the next minute each take
    // the line while a call is in progress.
    void Heard(const std::string& message, int timesLogged)
    {
        const std::string line =
            DecodeLine(now / 3600 % 24, now / 60 % 60, now % 60, message) + "\r\n";
        Disk().files[Decoded] += line;
        Run(61);
        for (int i = 0; i < timesLogged; ++i)
            expected += line;
    }

    void Press()  // START or STOP
    {
        const std::string before = Disk().files[Log];
        SetClock();
        w->form.bRunClick();
        CheckGrowsOnly(before);
    }
    void StartSked()
    {
        w->eTRCS.text = "Q9XYZ";
        w->eCS.text = "Q1ABC";
        Press();
        ASSERT_EQ(w->bRun.caption, "STOP") << ::testing::PrintToString(Disk().messages);
    }

    void Restart()
    {
        const FakePlatform disk = Disk();
        w.reset();
        w.emplace(disk);
        w->form.FormCreate();
    }
};

TEST_F(NothingLost, RunsStopsParkedDaysAndRestartsOnlyAppend)
{
    StartSked();
    Heard("Q1ABC Q9XYZ", 2);
    Press();  // STOP
    Heard("Q1ABC Q9XYZ 27 27", 0);
    StartSked();
    Heard("Q1ABC Q9XYZ R27 R27", 2);
    Press();
    EXPECT_EQ(Disk().files[Log], expected);

    // A parked run: calls 12:20 to 12:22 every day; the log closes at the
    // stop time and opens again with the next day's call.
    w->ClickDelay(true);
    w->dtpDelay.SetTime(12, 20);
    w->ClickStop(true);
    w->dtpStop.SetTime(12, 22);
    StartSked();
    RunUntil(12, 20, 1);
    Heard("Q1ABC Q9XYZ", 2);
    RunUntil(12, 22, 1);
    ASSERT_EQ(w->bRun.caption, "STOP");
    ASSERT_EQ(w->form.run.FState, -1) << "parked";
    Heard("Q1ABC Q9XYZ RRR", 0);
    RunUntil(12, 20, 1);  // the next day
    Heard("Q1ABC Q9XYZ 73", 2);
    EXPECT_EQ(Disk().files[Log], expected);

    // Closed with OK at the question, then started again.
    bool canClose = true;
    w->form.FormCloseQuery(canClose);
    ASSERT_TRUE(canClose);
    EXPECT_FALSE(w->form.run.LogOpen);
    Restart();
    StartSked();
    Heard("Q1ABC Q9XYZ", 2);

    // The program dies with the log open; the next one appends after it,
    // once the operator has put WSJT's box back at rest.
    Restart();
    desktop.SetText(wsjt.toRadio, "12345");
    StartSked();
    Heard("Q1ABC Q9XYZ 27 27", 2);
    Press();

    EXPECT_EQ(Disk().files[Log], expected);
    EXPECT_EQ(std::count(Disk().deleted.begin(), Disk().deleted.end(), std::string(Log)), 0);
}

// START's create-if-missing never empties a log that is there, even one
// another program holds open or one that is empty.
TEST_F(NothingLost, StartNeverEmptiesAnExistingLog)
{
    for (const char* content : {"kept\r\n", "", "no line end"}) {
        SCOPED_TRACE(content);
        Disk().files[Log] = content;
        StartSked();
        EXPECT_EQ(Disk().files[Log], content);
        Press();
        EXPECT_EQ(Disk().files[Log], content);
    }
}

}  // namespace
