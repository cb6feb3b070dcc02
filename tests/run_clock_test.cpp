// The run clock against a simulated clock: delayed start, stop time,
// parking, nightly clearing and the step time-out.
#include <gtest/gtest.h>

#include "tests/support/run_fixture.h"

namespace {

struct ClockFixture : RunFixture {
    int now = 0;  // seconds of the day

    void At(int h, int m, int s) { now = h * 3600 + m * 60 + s; Set(); }
    void Set() { w.SetTime(now / 3600 % 24, now / 60 % 60, now % 60); }
    // One tick at the current time, then the clock moves on a second.
    void Tick()
    {
        Set();
        w.form.OnTimer();
        now = (now + 1) % 86400;
    }
    void Ticks(int n) { while (n-- > 0) Tick(); }
    // Every call presses Lookup twice.
    int Calls() { return static_cast<int>(std::count(desktop.journal.begin(), desktop.journal.end(), "press &Lookup")) / 2; }
};

}  // namespace

TEST_F(ClockFixture, DelayedStartAtTheDelayTimeNotBefore)
{
    platform.files[Decoded] = "old";
    w.ClickDelay(true);
    At(11, 58, 0);
    StartSked("Q9XYZ");
    Ticks(120);
    EXPECT_EQ(w.form.run.FState, -1);
    EXPECT_TRUE(platform.files.count(Decoded));
    Tick();  // 12:00:00
    EXPECT_EQ(w.form.run.FState, 0);
    EXPECT_EQ(ToRadio(), "Q9XYZ");
    EXPECT_FALSE(platform.files.count(Decoded));
}

TEST_F(ClockFixture, ArmedAfterTheMinuteStartsTomorrow)
{
    w.ClickDelay(true);
    w.SelectCQ(true);
    platform.files[List] = "Q2AAA";
    w.eCS.text = "Q1ABC";
    At(12, 0, 30);
    w.form.bRunClick();
    Ticks(86400 - 30);
    EXPECT_EQ(w.form.run.FState, -1);
    Tick();
    EXPECT_EQ(w.form.run.FState, 0);
    EXPECT_EQ(ToRadio(), "CQ");
}

TEST_F(ClockFixture, DelayTickedWithoutARunDoesNothing)
{
    w.ClickDelay(true);
    At(12, 0, 0);
    Tick();
    EXPECT_EQ(w.form.run.FState, -1);
    EXPECT_TRUE(desktop.journal.empty());
}

TEST_F(ClockFixture, StopTimeWithoutDelayEndsTheRun)
{
    w.ClickStop(true);
    w.dtpStop.SetTime(17, 0);
    At(16, 59, 58);
    StartSked("Q9XYZ");
    Ticks(2);
    EXPECT_TRUE(Armed());
    Tick();
    EXPECT_FALSE(Armed());
    EXPECT_EQ(w.form.run.FState, -1);
    EXPECT_EQ(ToRadio(), "12345");
    EXPECT_FALSE(run.LogOpen);
    EXPECT_TRUE(w.dtpStop.enabled);
}

TEST_F(ClockFixture, StopTimeWhileWaitingDoesNothing)
{
    w.ClickDelay(true);
    w.ClickStop(true);
    w.dtpDelay.SetTime(18, 0);
    At(16, 59, 59);
    StartSked("Q9XYZ");
    Ticks(2);
    EXPECT_TRUE(Armed());
    EXPECT_TRUE(desktop.journal.empty());
}

TEST_F(ClockFixture, ParkedRunStartsEveryDayWithItsLogReopened)
{
    w.ClickDelay(true);
    w.ClickStop(true);
    w.dtpDelay.SetTime(8, 0);
    w.dtpStop.SetTime(9, 0);
    platform.files[Decoded] = "x";
    At(7, 0, 0);
    StartSked("Q9XYZ");
    ASSERT_TRUE(run.LogOpen);

    for (int day = 0; day < 2; ++day) {
        At(8, 0, 0);
        Tick();
        EXPECT_EQ(w.form.run.FState, 0) << day;
        EXPECT_TRUE(run.LogOpen) << day;
        At(9, 0, 0);
        Tick();
        EXPECT_EQ(w.form.run.FState, -1) << day;
        EXPECT_TRUE(Armed()) << day;  // parked
        EXPECT_FALSE(w.feDecoded.enabled);
        EXPECT_FALSE(run.LogOpen) << day;
        EXPECT_EQ(ToRadio(), "12345");
    }
    EXPECT_EQ(Calls(), 2);

    // A log that can no longer be opened costs the day's log, silently.
    platform.cannotCreate.insert(Log);
    At(8, 0, 0);
    Tick();
    EXPECT_EQ(w.form.run.FState, 0);
    EXPECT_FALSE(run.LogOpen);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ClockFixture, DelayEqualToStopStartsAndParksAtOnce)
{
    w.ClickDelay(true);
    w.ClickStop(true);
    w.dtpDelay.SetTime(10, 0);
    w.dtpStop.SetTime(10, 0);
    At(9, 0, 0);
    StartSked("Q9XYZ");
    At(10, 0, 0);
    Tick();
    EXPECT_EQ(Calls(), 1);
    EXPECT_EQ(w.form.run.FState, -1);
    EXPECT_TRUE(Armed());
    EXPECT_EQ(ToRadio(), "12345");
}

TEST_F(ClockFixture, NightlyClearingWithAndWithoutARun)
{
    platform.files[Decoded] = "x";
    At(23, 59, 58);
    Tick();
    EXPECT_TRUE(platform.files.count(Decoded));
    Tick();  // 23:59:59, idle
    EXPECT_FALSE(platform.files.count(Decoded));

    // A late tick after midnight: WSJT may have written the new day's first
    // decodes already.
    platform.files[Decoded] = "x";
    At(23, 59, 58);
    Tick();
    ++platform.now.day;
    At(0, 0, 2);
    Tick();
    EXPECT_TRUE(platform.files.count(Decoded));

    w.cbCLDec.checked = false;
    platform.files[Decoded] = "x";
    ++platform.now.day;  // the next night
    At(23, 59, 59);
    Tick();
    EXPECT_TRUE(platform.files.count(Decoded));

    w.cbCLDec.checked = true;
    w.feDecoded.text = "\"" + std::string(Decoded) + "\"";  // deleted by its file name
    StartSked("Q9XYZ");
    platform.files[Decoded] = "x";
    ++platform.now.day;
    At(23, 59, 59);
    Tick();
    EXPECT_FALSE(platform.files.count(Decoded));
}

TEST_F(ClockFixture, TimeOutFallsBackToCallingAfterTheLimit)
{
    w.eTLimit.value = 2.5;  // 120 ticks
    At(10, 0, 10);
    StartSked("Q9XYZ");
    Ticks(300);
    EXPECT_EQ(w.form.run.FState, 0);  // no time-out while calling
    EXPECT_EQ(run.TickCount, 0);

    w.form.run.SetState(2);
    Ticks(119);
    EXPECT_EQ(w.form.run.FState, 2);
    EXPECT_EQ(Calls(), 1);
    Tick();
    EXPECT_EQ(w.form.run.FState, 0);
    EXPECT_EQ(Calls(), 2);
    EXPECT_EQ(run.TickLimit, 120);

    // State 4 has 240 ticks of its own, not restarted by handing it back.
    w.form.run.SetState(4);
    Ticks(200);
    w.form.run.SetState(4);
    Ticks(39);
    EXPECT_EQ(w.form.run.FState, 4);
    Tick();
    EXPECT_EQ(w.form.run.FState, 0);
}

TEST_F(ClockFixture, TimeLimitZeroFallsBackOnTheNextTick)
{
    w.eTLimit.value = 0;
    At(10, 0, 10);
    StartSked("Q9XYZ");
    w.form.run.SetState(1);
    Tick();
    EXPECT_EQ(w.form.run.FState, 0);
    w.form.run.SetState(4);
    Ticks(239);
    EXPECT_EQ(w.form.run.FState, 4);
}

TEST_F(ClockFixture, StopTickNeitherScansNorCounts)
{
    w.ClickStop(true);
    w.dtpStop.SetTime(10, 1);
    At(10, 0, 50);
    StartSked("Q9XYZ");
    w.form.run.SetState(2);
    Ticks(10);
    EXPECT_EQ(run.TickCount, 10);
    const int reads = platform.readCount;
    Tick();  // 10:01:00
    EXPECT_EQ(run.TickCount, 10);
    EXPECT_EQ(platform.readCount, reads);
}

// A day of a parked sked run on a timer that is not one second: every
// second's actions happen once, at their second or as soon after it as the
// next tick comes. Runs from 11:00 to 11:00 the next day: the delayed start
// at 12:00, a contact step at 13:00 that times out two minutes later, the
// stop at 17:00 and the nightly clearing at 23:59:59.
TEST_F(RunFixture, EverySecondOnceWhateverTheTimerDoes)
{
    const struct {
        const char* timer;
        std::vector<int> stepsMs;  // repeated all day
    } timers[] = {
        {"1015 ms", {1015}},
        {"2000 ms", {2000}},
        {"doubled seconds", {500}},
        {"skipped and doubled", {1000, 1000, 3500, 500, 1000, 200, 800}},
    };
    for (const auto& timer : timers) {
        SCOPED_TRACE(timer.timer);
        SimWindowSystem day;  // a fresh WSJT on a fresh desktop
        SimWindowSystem::Peer peer = day.AddWsjt();
        ModelWindow m;
        m.form.FormCreate();
        m.ClickDelay(true);
        m.ClickStop(true);
        m.eTLimit.value = 2;
        m.eTRCS.text = "Q9XYZ";
        FakePlatform& disk = m.platform;
        disk.files[Decoded] = "";

        const auto at = [](int h, int m, int s) { return h * 3600LL + m * 60 + s; };
        long long ms = 11 * 3600 * 1000LL;
        const auto setClock = [&] {
            const long long s = ms / 1000;
            disk.now = {2026, 12, 8 + int(s / 86400), int(s / 3600 % 24), int(s / 60 % 60), int(s % 60),
                        int(ms % 1000)};
        };
        setClock();
        m.form.bRunClick();

        std::vector<long long> scans, calls, releases, clearings;
        bool tickedAt235959 = false;  // else the night's clearing is caught up after midnight: left out
        long long steppedAt = -1, timedOutAt = -1;
        for (std::size_t i = 0; ms < 35 * 3600 * 1000LL; ms += timer.stepsMs[i++ % timer.stepsMs.size()]) {
            setClock();
            const int reads = disk.readCount;
            const std::size_t journal = day.journal.size(), deletions = disk.deleted.size();
            const int state = m.form.run.FState;
            m.form.OnTimer();
            const long long second = ms / 1000;
            tickedAt235959 |= second == at(23, 59, 59);
            if (disk.readCount > reads)
                scans.push_back(second);
            if (disk.deleted.size() > deletions)
                clearings.push_back(second);
            for (std::size_t j = journal; j < day.journal.size(); ++j) {
                if (day.journal[j] == "set 12345 -> Q9XYZ")
                    calls.push_back(second);
                if (day.journal[j] == "set Q9XYZ -> 12345")
                    releases.push_back(second);
            }
            if (state > 0 && m.form.run.FState == 0)
                timedOutAt = second;
            if (steppedAt < 0 && second >= 13 * 3600) {
                m.form.run.FState = 1;  // the partner heard: the time-out starts
                m.form.run.TickCount = 0;
                steppedAt = second;
            }
            if (!disk.files.count(Decoded))
                disk.files[Decoded] = "";
        }

        // Each action at its second, or on the first tick after it.
        const int late = 3;
        ASSERT_EQ(scans.size(), 5u * 120) << "scans from 12:00 to 17:00";
        for (std::size_t k = 0; k < scans.size(); ++k) {
            const long long due = at(12, 0, 5) + 30 * static_cast<long long>(k);
            EXPECT_TRUE(scans[k] >= due && scans[k] < due + late) << "scan " << k << " at " << scans[k];
        }
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_LT(calls[0] - at(12, 0, 0), late);
        ASSERT_EQ(releases.size(), 1u);
        EXPECT_LT(releases[0] - at(17, 0, 0), late);
        EXPECT_EQ(m.bRun.caption, "STOP") << "parked";
        ASSERT_EQ(clearings.size(), tickedAt235959 ? 2u : 1u) << "at the delayed start and at night";
        EXPECT_LT(clearings[0] - at(12, 0, 0), late);
        if (tickedAt235959) {
            EXPECT_EQ(clearings[1], at(23, 59, 59));
        }
        ASSERT_GE(steppedAt, 0);
        EXPECT_GE(timedOutAt - steppedAt, 120) << "the time-out lasts its two minutes";
        EXPECT_LT(timedOutAt - steppedAt, 120 + late);
        (void)peer;
    }
}
