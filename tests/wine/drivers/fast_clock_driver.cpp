// A run on a local clock running twice as fast as the window timer (the
// test runs under on_fast_clock.sh from 11:59:30), so that the timer's ticks
// land on every other second: the run must still start at its delay time,
// follow the partner at its scans and stop at its stop time. Every event of
// the stand-in's journal is printed with its time, for the record; the
// journal keeps UTC, which with_wine.sh makes the local time too.
#include <algorithm>

#include "tests/wine/drivers/operator.h"
#include "tools/journal.h"

using namespace op;

namespace {

constexpr double ClockRate = 2;  // the rate fast_clock.cmake gives on_fast_clock.sh
constexpr DWORD StartWaitMs = 15000;

// Waits for a local time, collecting what the status bar says meanwhile.
bool WaitUntilLocal(long long localMs, const op::Tavrix& tavrix, op::StatusHistory& seen)
{
    return WatchUntilLocal(localMs, ClockRate, [&] { seen.Look(tavrix); }, 50);
}

// Types "hhmm" into a time picker as the keyboard would: the picker takes
// the focus, the right arrow selects the hour, two digits fill it, the
// arrow moves past the colon to the minutes, two digits fill them.
void TypeTime(HWND picker, const char* hhmm)
{
    DWORD_PTR r = 0;
    auto send = [&](UINT message, WPARAM wParam) {
        SendMessageTimeoutW(picker, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, &r);
    };
    send(WM_SETFOCUS, 0);
    send(WM_KEYDOWN, VK_RIGHT);
    send(WM_CHAR, WPARAM(hhmm[0]));
    send(WM_CHAR, WPARAM(hhmm[1]));
    send(WM_KEYDOWN, VK_RIGHT);
    send(WM_CHAR, WPARAM(hhmm[2]));
    send(WM_CHAR, WPARAM(hhmm[3]));
}

std::string Clock(long long ms)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld.%03lld", ms / 3600000 % 24, ms / 60000 % 60,
                  ms / 1000 % 60, ms % 1000);
    return text;
}

}  // namespace

TEST(FastClock, DelayedStartContactStepAndStopOnTime)
{
    SYSTEMTIME today;
    GetLocalTime(&today);
    ASSERT_EQ(today.wYear * 10000 + today.wMonth * 100 + today.wDay, 20261208) << "not on on_fast_clock.sh's clock";
    ASSERT_LT(LocalMs(), At(11, 59, 50)) << "not on on_fast_clock.sh's clock";
    const long long realStart = NowMs(), localStart = LocalMs();

    const std::string dir = TestDir() + "/fastclock";
    CreateDirectoryA(WinePath(dir).c_str(), nullptr);
    StandIn wsjt("fastclock", "/decoded \"" + WinePath(dir + "/decoded.cum") + "\" /partner Q9XYZ /fast");
    ASSERT_TRUE(wsjt.Running());
    Tavrix tavrix("fastclock", "[Options]\r\nDecoded=" + WinePath(dir + "/decoded.cum") + "\r\nLog=" +
                                   WinePath(dir + "/log.txt") + "\r\nCS=Q1ABC\r\nClearDecoded=0\r\n");
    ASSERT_NE(tavrix.main, nullptr);

    // Delay start until 12:00 (the design value), stop at 12:01, sked with Q9XYZ.
    tavrix.Select(ID_cbDelay);
    tavrix.Select(ID_cbStop);
    TypeTime(tavrix.Control(ID_dtpStop), "1201");
    ASSERT_EQ(tavrix.Text(ID_dtpDelay), "12:00");
    ASSERT_EQ(tavrix.Text(ID_dtpStop), "12:01");
    tavrix.SetText(ID_eTRCS, "Q9XYZ");
    ASSERT_LT(LocalMs(), At(11, 59, 55)) << "set up too slowly for the delay time";
    std::printf("START at %s\n", Clock(LocalMs()).c_str());
    tavrix.PressRun();
    ASSERT_TRUE(tavrix.WaitCaption("STOP", StartWaitMs));
    EXPECT_TRUE(tavrix.WaitStatus("Waiting: first call at 12:00", 3000)) << tavrix.Status();

    op::StatusHistory seen;
    EXPECT_TRUE(WaitUntilLocal(At(12, 1, 10), tavrix, seen)) << "the local clock did not reach 12:01:10";
    const double rate = double(LocalMs() - localStart) / double(NowMs() - realStart);
    std::printf("local clock ran %.2f times as fast as the real one\n", rate);
    EXPECT_NEAR(rate, ClockRate, 0.2);

    const std::vector<JournalEvent> events = ParseJournal(ReadFileBytes(TestDir() + "/fastclock.journal"));
    for (const JournalEvent& e : events)
        std::printf("  %s %s\n", Clock(e.ms).c_str(), e.what.c_str());

    // The call at the delay time: by the tick of 12:00:00 or the next one.
    const JournalEvent* call = Find(events, "toradio Q9XYZ");
    ASSERT_NE(call, nullptr) << "no delayed start";
    EXPECT_GE(call->ms, At(12, 0, 0));
    EXPECT_LT(call->ms, At(12, 0, 3)) << "the delayed start came late";
    // The partner, calling us since before the start, is answered by the
    // scan of 12:00:05 or at the latest that of 12:00:35.
    const JournalEvent* step = Find(events, "press Tx &", call->ms);
    ASSERT_NE(step, nullptr) << "no contact step";
    EXPECT_LT(step->ms, At(12, 0, 38)) << "a scan was missed";
    // The stop at 12:01:00 releases WSJT; both boxes are ticked, so the run
    // is parked, still armed for the next day.
    const JournalEvent* release = Find(events, "toradio 12345", call->ms);
    ASSERT_NE(release, nullptr) << "no stop";
    EXPECT_GE(release->ms, At(12, 1, 0));
    EXPECT_LT(release->ms, At(12, 1, 3)) << "the stop came late";
    EXPECT_NE(Find(events, "press &Auto is ON", release->ms), nullptr) << "Auto left on";
    EXPECT_EQ(tavrix.Text(ID_bRun), "STOP") << "parked";

    // The status bar told each phase as it came.
    EXPECT_TRUE(seen.Said("Calling Q9XYZ"));
    EXPECT_TRUE(seen.Said("Q9XYZ: ")) << "no contact step in the status bar";
    EXPECT_EQ(seen.texts.back().rfind("Parked until 12:00 tomorrow", 0), 0u) << seen.texts.back();

    tavrix.PressRun();
    EXPECT_TRUE(WaitFor([&] { return tavrix.Idle(); }, StartWaitMs));
}
