// The radio on each sked's frequency through Hamlib's rigctld and its dummy
// radio, which rig.sh starts on RIG_PORT with the radio left on 144.300 MHz,
// on a clock started at 11:58:30 and running four times as fast as the
// window timer (rig.cmake). Q9XYZ on 144.366 and Q7PQR on 432.1 are each
// worked on their frequency, as rigctl reads it during the entry, and each
// contact's record carries it. rigctld then stops: Q5AAA on 144.37 is not
// worked at all, and the status bar and the activity log say why. rigctld is
// back before the night ends, and the radio goes home.
#include <algorithm>

#include "tests/wine/drivers/operator.h"
#include "tools/journal.h"

using namespace op;

namespace {

constexpr double ClockRate = 4;  // the rate rig.cmake gives on_fast_clock.sh

// The radio's frequency as Hamlib's own rigctl reads it, "none" when
// rigctld doesn't answer.
std::string RadioReads()
{
    const std::string out = TestDir() + "/rigctl.txt";
    DeleteFileA(WinePath(out).c_str());
    RunUnix("timeout 3 rigctl -m 2 -r localhost:" + Env("RIG_PORT") + " f >" + out + " 2>/dev/null");
    std::string hz = ReadFileBytes(out);
    hz = hz.substr(0, hz.find('\n'));
    return hz.empty() ? "none" : hz;
}

// Each record of the contacts file, by its station.
std::string RecordOf(const std::string& adif, const std::string& call)
{
    const std::size_t at = adif.find("<CALL:" + std::to_string(call.size()) + ">" + call);
    if (at == std::string::npos)
        return "";
    return adif.substr(at, adif.find("<EOR>", at) - at);
}

}  // namespace

TEST(Rig, EachSkedOnItsFrequencyNoneWithoutRigctldAndHomeAfter)
{
    ASSERT_LT(LocalMs(), At(11, 59, 0)) << "not on on_fast_clock.sh's clock";
    ASSERT_FALSE(Env("RIG_PORT").empty()) << "not run by rig.sh";
    const std::string dir = TestDir() + "/rig";
    CreateDirectoryA(WinePath(dir).c_str(), nullptr);
    WriteFileBytes(dir + "/skeds.txt", "2026-12-08 12:00 12:03 Q9XYZ 1st 144.366\r\n"
                                       "2026-12-08 12:03 12:06 Q7PQR 432.1 1st\r\n"
                                       "2026-12-08 12:06 12:08 Q5AAA 1st 144.37\r\n");
    WriteFileBytes(dir + "/decoded.cum", "");
    LetWineManageWindows();
    StandIn wsjt("rig", "/at 0,480 /decoded \"" + WinePath(dir + "/decoded.cum") +
                            "\" /partner Q9XYZ /oncall /period 2nd /partner Q7PQR /oncall /period 2nd"
                            " /partner Q5AAA /oncall /period 2nd");
    ASSERT_TRUE(wsjt.Running());
    Tavrix tavrix("rig", "[Options]\r\nDecoded=" + WinePath(dir + "/decoded.cum") + "\r\nLog=" +
                             WinePath(dir + "/log.txt") + "\r\nSkeds=" + WinePath(dir + "/skeds.txt") +
                             "\r\nCS=Q1ABC\r\nClearDecoded=0\r\nFollowSkeds=1\r\nTLimit=3\r\nRig=localhost:" +
                             Env("RIG_PORT") + "\r\n");
    ASSERT_NE(tavrix.main, nullptr);
    ASSERT_LT(LocalMs(), At(11, 59, 55)) << "set up too slowly for the first entry";
    tavrix.PressRun();
    ASSERT_TRUE(tavrix.WaitCaption("STOP", 15000)) << tavrix.Status();

    StatusHistory seen;
    auto look = [&] { seen.Look(tavrix); };
    EXPECT_TRUE(WatchUntilLocal(At(12, 1, 30), ClockRate, look, 100));
    const std::string first = RadioReads();
    EXPECT_TRUE(WatchUntilLocal(At(12, 4, 30), ClockRate, look, 100));
    const std::string second = RadioReads();
    EXPECT_TRUE(WatchUntilLocal(At(12, 5, 45), ClockRate, look, 100));
    RunUnix("kill $(cat " + Env("RIG_PID") + ")");
    EXPECT_TRUE(WatchUntilLocal(At(12, 7, 40), ClockRate, look, 100));
    const std::string third = RadioReads();
    RunUnix(Env("RIG_START"));
    EXPECT_TRUE(WatchUntilLocal(At(12, 8, 10), ClockRate, look, 100));
    EXPECT_TRUE(WaitFor([&] { return tavrix.Idle(); }, 5000)) << "after the last entry the run ends";
    const std::string home = RadioReads();
    std::printf("  rigctl read: Q9XYZ %s, Q7PQR %s, Q5AAA %s, after the run %s\n", first.c_str(), second.c_str(),
                third.c_str(), home.c_str());
    EXPECT_EQ(first, "144366000");
    EXPECT_EQ(second, "432100000");
    EXPECT_EQ(third, "none") << "rigctld stopped";
    EXPECT_EQ(home, "144300000") << "the radio back home, rigctld having come back";

    const std::vector<JournalEvent> events = ParseJournal(ReadFileBytes(TestDir() + "/rig.journal"));
    for (const JournalEvent& e : events)
        std::printf("  %s\n", e.what.c_str());
    for (std::size_t i = 0; i < seen.texts.size(); ++i)
        if (i == 0 || seen.texts[i].substr(0, 24) != seen.texts[i - 1].substr(0, 24))
            std::printf("  status: %s\n", seen.texts[i].c_str());
    EXPECT_NE(Find(events, "toradio Q9XYZ"), nullptr);
    EXPECT_NE(Find(events, "toradio Q7PQR"), nullptr);
    EXPECT_EQ(Find(events, "toradio Q5AAA"), nullptr) << "called on a frequency not set";
    EXPECT_TRUE(seen.Said("Sked 3 of 3: Q5AAA: frequency not set, again in "));

    const std::string adif = ReadFileBytes(dir + "/tavrix.adi");
    EXPECT_NE(RecordOf(adif, "Q9XYZ").find("<BAND:2>2m <FREQ:7>144.366"), std::string::npos) << adif;
    EXPECT_NE(RecordOf(adif, "Q7PQR").find("<BAND:4>70cm <FREQ:5>432.1"), std::string::npos) << adif;
    EXPECT_EQ(RecordOf(adif, "Q5AAA"), "") << adif;

    const std::string log = ReadFileBytes(dir + "/log.txt");
    for (const char* said : {"UTC Radio on 144.3 MHz, its home frequency", "UTC Radio on 144.366 MHz for Q9XYZ",
                             "UTC Radio on 432.1 MHz for Q7PQR", "UTC Frequency 144.37 MHz not set: rigctld: ",
                             "Q5AAA 1st: frequency not set", "UTC Radio back on its home frequency, 144.3 MHz"})
        EXPECT_NE(log.find(said), std::string::npos) << said << "\n" << log;
}
