// Three one-minute skeds from one START, on a clock started at 11:59:30
// and running twice as fast as the window timer (skeds.cmake): each entry's
// call at its start second, each release at its end, the status bar and
// the Skeds page's State column as they change, read from the real window.
// The Wine prefix runs in UTC, so the file's UTC times are local times here.
#include <algorithm>
#include <set>

#include "tests/wine/drivers/operator.h"
#include "tools/journal.h"
#include "tools/skeds_page_win32.h"

using namespace op;

namespace {

constexpr double ClockRate = 2;  // the rate skeds.cmake gives on_fast_clock.sh
constexpr DWORD StartWaitMs = 15000;


std::string Joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "|") + part;
    return text;
}

// What the window showed while the night ran: each new status bar text and
// each new State column, in order.
struct Seen : op::StatusHistory {
    std::set<std::string> states;

    void Look(const Tavrix& tavrix)
    {
        op::StatusHistory::Look(tavrix);
        states.insert(Joined(SkedStates(tavrix.main)));
    }
};

bool WatchUntilLocal(long long localMs, const Tavrix& tavrix, Seen& seen)
{
    return op::WatchUntilLocal(localMs, ClockRate, [&] { seen.Look(tavrix); }, 100);
}

}  // namespace

TEST(Skeds, ThreeOneMinuteEntriesFollowedFromOneStart)
{
    SYSTEMTIME today;
    GetLocalTime(&today);
    ASSERT_EQ(today.wYear * 10000 + today.wMonth * 100 + today.wDay, 20261208) << "not on on_fast_clock.sh's clock";
    ASSERT_LT(LocalMs(), At(11, 59, 50)) << "not on on_fast_clock.sh's clock";

    const std::string dir = TestDir() + "/skeds";
    CreateDirectoryA(WinePath(dir).c_str(), nullptr);
    WriteFileBytes(dir + "/skeds.txt", "# three one-minute skeds\r\n2026-12-08 12:00 12:01 Q9XYZ\r\n"
                                       "2026-12-08 12:01 12:02 Q7PQR\r\n2026-12-08 12:02 12:03 CQ\r\n");
    WriteFileBytes(dir + "/decoded.cum", "");
    WriteFileBytes(dir + "/call3a.txt", "Q7PQR,KO85\r\nZZZZZZ,End-of-Database\r\n");
    LetWineManageWindows();
    StandIn wsjt("skeds", "/at 0,480 /decoded \"" + WinePath(dir + "/decoded.cum") + "\"");
    ASSERT_TRUE(wsjt.Running());
    const std::string files = "Decoded=" + WinePath(dir + "/decoded.cum") + "\r\nLog=" + WinePath(dir + "/log.txt") +
                              "\r\nCSList=" + WinePath(dir + "/call3a.txt") + "\r\nSkeds=" + WinePath(dir + "/skeds.txt");
    Tavrix tavrix("skeds", "[Options]\r\n" + files + "\r\nCS=Q1ABC\r\nClearDecoded=0\r\nFollowSkeds=1\r\n");
    ASSERT_NE(tavrix.main, nullptr);
    EXPECT_EQ(Joined(SkedStates(tavrix.main)), "next|later|later") << "before START";

    ASSERT_LT(LocalMs(), At(11, 59, 55)) << "set up too slowly for the first entry";
    tavrix.PressRun();
    ASSERT_TRUE(tavrix.WaitCaption("STOP", StartWaitMs)) << tavrix.Status();
    EXPECT_TRUE(tavrix.WaitStatus("Waiting: Q9XYZ at 12:00 UTC", 3000)) << tavrix.Status();

    Seen seen;
    EXPECT_TRUE(WatchUntilLocal(At(12, 1, 30), tavrix, seen));
    PhotographSkedsPage(TestDir() + "/skeds-page.png");
    EXPECT_TRUE(WatchUntilLocal(At(12, 3, 10), tavrix, seen));
    EXPECT_TRUE(WaitFor([&] { return tavrix.Idle(); }, 5000)) << "after the last dated entry the run ends";
    seen.Look(tavrix);

    const std::vector<JournalEvent> events = ParseJournal(ReadFileBytes(TestDir() + "/skeds.journal"));
    for (const JournalEvent& e : events)
        std::printf("  %s\n", e.what.c_str());
    // Each entry's call by the tick of its start second or the next one,
    // each release at its end, Auto left off.
    struct Entry { const char* call; int minute; } const entries[] = {{"Q9XYZ", 0}, {"Q7PQR", 1}, {"CQ", 2}};
    for (const Entry& e : entries) {
        const JournalEvent* call = Find(events, std::string("toradio ") + e.call, At(12, e.minute, 0));
        ASSERT_NE(call, nullptr) << "no call of " << e.call;
        EXPECT_LT(call->ms, At(12, e.minute, 3)) << e.call << " called late";
        const JournalEvent* release = Find(events, "toradio 12345", call->ms);
        ASSERT_NE(release, nullptr) << "no release after " << e.call;
        EXPECT_GE(release->ms, At(12, e.minute + 1, 0)) << e.call << " released early";
        EXPECT_LT(release->ms, At(12, e.minute + 1, 3)) << e.call << " released late";
        EXPECT_NE(Find(events, "press &Auto is ON", release->ms), nullptr) << "Auto left on after " << e.call;
    }

    for (std::size_t i = 0; i < seen.texts.size(); ++i)
        if (i == 0 || seen.texts[i].substr(0, 12) != seen.texts[i - 1].substr(0, 12))
            std::printf("  status: %s\n", seen.texts[i].c_str());
    for (const char* said : {"Sked 1 of 3: Calling Q9XYZ", "Sked 2 of 3: Calling Q7PQR", "Sked 3 of 3: Calling CQ"})
        EXPECT_TRUE(seen.Said(said)) << said;
    EXPECT_EQ(seen.texts.back().rfind("Skeds done", 0), 0u) << seen.texts.back();
    // An entry that has ended shows its outcome: nobody is on the air here.
    for (const char* states : {"now|next|later", "not heard|now|next", "not heard|not heard|now"})
        EXPECT_EQ(seen.states.count(states), 1u) << states;
}
