// Two skeds in agreed periods, on a clock started at 11:58:30 and running
// four times as fast as the window timer (periods.cmake). Q9XYZ 1st, with a
// partner transmitting in the second period: WSJT's Tx First is ticked
// before the call, the contact completes, and the sked is released at its
// 73 step's time-out and not called again. Q7PQR 2nd, with a partner that
// also transmits second: the box is unticked before the call, and neither
// hears the other, so no contact.
#include <algorithm>

#include "tests/wine/drivers/operator.h"
#include "tools/journal.h"
#include "tools/skeds_page_win32.h"

using namespace op;

namespace {

constexpr double ClockRate = 4;  // the rate periods.cmake gives on_fast_clock.sh

}  // namespace

TEST(Periods, EachSkedInItsPeriodDoneWhenItsContactIs)
{
    ASSERT_LT(LocalMs(), At(11, 59, 0)) << "not on on_fast_clock.sh's clock";
    const std::string dir = TestDir() + "/periods";
    CreateDirectoryA(WinePath(dir).c_str(), nullptr);
    WriteFileBytes(dir + "/skeds.txt", "# one partner in the other period, one in ours\r\n"
                                       "2026-12-08 12:00 12:09 Q9XYZ 1st\r\n2026-12-08 12:09 12:12 Q7PQR 2nd\r\n");
    WriteFileBytes(dir + "/decoded.cum", "");
    LetWineManageWindows();
    StandIn wsjt("periods", "/at 0,480 /decoded \"" + WinePath(dir + "/decoded.cum") +
                                "\" /partner Q9XYZ /oncall /period 2nd /partner Q7PQR /oncall /period 2nd");
    ASSERT_TRUE(wsjt.Running());
    Tavrix tavrix("periods", "[Options]\r\nDecoded=" + WinePath(dir + "/decoded.cum") + "\r\nLog=" +
                                 WinePath(dir + "/log.txt") + "\r\nSkeds=" + WinePath(dir + "/skeds.txt") +
                                 "\r\nCS=Q1ABC\r\nClearDecoded=0\r\nFollowSkeds=1\r\nTLimit=3\r\n");
    ASSERT_NE(tavrix.main, nullptr);
    ASSERT_LT(LocalMs(), At(11, 59, 55)) << "set up too slowly for the first entry";
    tavrix.PressRun();
    ASSERT_TRUE(tavrix.WaitCaption("STOP", 15000)) << tavrix.Status();

    StatusHistory seen;
    auto look = [&] { seen.Look(tavrix); };
    EXPECT_TRUE(WatchUntilLocal(At(12, 8, 50), ClockRate, look, 100));
    PhotographSkedsPage(TestDir() + "/periods-skeds-page.png");
    EXPECT_TRUE(WatchUntilLocal(At(12, 12, 10), ClockRate, look, 100));
    EXPECT_TRUE(WaitFor([&] { return tavrix.Idle(); }, 5000)) << "after the last entry the run ends";

    const std::vector<JournalEvent> events = ParseJournal(ReadFileBytes(TestDir() + "/periods.journal"));
    for (const JournalEvent& e : events)
        std::printf("  %s\n", e.what.c_str());
    for (const std::string& s : seen.texts)
        std::printf("  status: %s\n", s.c_str());

    // The box in the entry's state at each call; one call of each station.
    const std::vector<ToRadioChange> calls = ToRadioChanges(events);
    EXPECT_EQ(calls, (std::vector<ToRadioChange>{{"Q9XYZ", 1}, {"12345", 1}, {"Q7PQR", 0}, {"12345", 0}}));

    // Q9XYZ: the contact, then 73 until its time-out, then released before
    // the entry's end, not at it.
    const JournalEvent* seventyThree = Find(events, "press Tx &5", At(12, 0, 0));
    ASSERT_NE(seventyThree, nullptr) << "no contact with Q9XYZ";
    const JournalEvent* release = Find(events, "toradio 12345", seventyThree->ms);
    ASSERT_NE(release, nullptr);
    EXPECT_GE(release->ms, seventyThree->ms + 235 * 1000) << "released before 73 timed out";
    EXPECT_LT(release->ms, At(12, 8, 30)) << "kept until the entry's end";
    EXPECT_TRUE(seen.Said("Sked 1 of 2 done; next: Q7PQR 12:09 UTC\t1 contact, last Q9XYZ "));

    // Q7PQR in our own period: never heard, never reached.
    EXPECT_EQ(Find(events, "press Tx &2", At(12, 9, 0)), nullptr) << "a contact in the wrong period";
    const std::string adif = ReadFileBytes(dir + "/tavrix.adi");
    EXPECT_NE(adif.find("<CALL:5>Q9XYZ"), std::string::npos) << adif;
    EXPECT_EQ(adif.find("Q7PQR"), std::string::npos) << adif;
    EXPECT_EQ(adif.find("<CALL:", adif.find("<CALL:") + 1), std::string::npos) << "one record";
}
