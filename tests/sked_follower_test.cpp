// Following the skeds as they are agreed on the air: each entry's transmit
// period set in WSJT's Tx First box, and the computer kept awake while a
// run is armed, however it ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "engine/sked_follower.h"
#include "tests/support/following.h"

namespace {

using Strings = std::vector<std::string>;

TEST(SkedRules, DoneAfterTheContactOnlyForASkedAt73)
{
    const struct { bool cq; int state; bool done; } cases[] = {
        {false, 4, true}, {false, 5, true}, {false, 3, false}, {false, 1, false}, {true, 4, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DoneAfterContact(c.cq, c.state), c.done) << c.cq << " " << c.state;
    EXPECT_EQ(TxFirstWanted(TxPeriod::First), std::optional<bool>(true));
    EXPECT_EQ(TxFirstWanted(TxPeriod::Second), std::optional<bool>(false));
    EXPECT_EQ(TxFirstWanted(TxPeriod::AsWsjt), std::nullopt);
}

TEST(TxFirstBox, KnownByItsCaptionAndSetInAtMostTwoPresses)
{
    for (const char* yes : {"Tx First", "Tx &First", "&TX FIRST", "tx fir&st"})
        EXPECT_TRUE(IsTxFirstCaption(yes)) << yes;
    for (const char* no : {"Tx First ", "TxFirst", "Tx &1", "Tx First?", ""})
        EXPECT_FALSE(IsTxFirstCaption(no)) << no;

    const struct { const char* name; bool stuck, gone, missing; int presses; const char* trouble; } cases[] = {
        {"takes it", false, false, false, 1, nullptr},
        {"flips back", true, false, false, 2, "stays unticked"},
        {"gone", false, true, false, 0, "does not answer"},
        {"no box", false, false, true, 0, "has no Tx First box"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimWindowSystem desktop;
        const PeerHandle box = desktop.AddWsjt().txFirst;
        desktop.Find(box)->checkStuck = c.stuck;
        if (c.gone)
            desktop.Kill(box);
        const char* trouble = SetCheck(desktop, c.missing ? NoPeer : box, true);
        EXPECT_EQ(desktop.journal.size(), std::size_t(c.presses));
        EXPECT_EQ(trouble == nullptr, c.trouble == nullptr);
        if (trouble && c.trouble) {
            EXPECT_NE(std::string(trouble).find(c.trouble), std::string::npos) << trouble;
        }
    }
}

constexpr std::int64_t At2200 = 1797199200;  // 2026-12-13 22:00:00 UTC
const char* const ThreePeriods = "2026-12-13 22:00 22:10 Q9XYZ 1st\r\n2026-12-13 22:10 22:20 Q7PQR\r\n"
                                 "2026-12-13 22:20 22:30 Q5AAA 2nd\r\n";

}  // namespace

TEST_F(Following, EachEntrysPeriodIsSetBeforeItsCallOrLeftAlone)
{
    Start(ThreePeriods, At2200 - 10);
    RunTo(At2200 + 1800 + 5);
    EXPECT_FALSE(Armed());
    EXPECT_EQ(Periods(), (Strings{"press Tx &First", "set 12345 -> Q9XYZ", "set 12345 -> Q7PQR", "press Tx &First",
                                  "set 12345 -> Q5AAA"}));
    EXPECT_EQ(desktop.GetCheck(wsjt.txFirst), 0);
    EXPECT_EQ(platform.files[Log].find("Tx First"), std::string::npos);
}

TEST_F(Following, ReportOpensTheLastNightsPageOrSaysThereIsNone)
{
    w.form.OpenNightReport();
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.opened.empty());
    Start(ThreePeriods, At2200 - 10);
    RunTo(At2200 + 1800 + 5);
    w.form.OpenNightReport();
    EXPECT_EQ(platform.opened, Strings{"c:\\program files\\wsjt\\tavrix-night-2026-12-13.html"});
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(Following, APeriodNotSetIsToldOncePerEntryAndTheSkedGoesOn)
{
    desktop.Find(wsjt.txFirst)->checkStuck = true;
    Start(ThreePeriods, At2200 - 10);
    RunTo(At2200 + 60);
    EXPECT_EQ(ToRadio(), "Q9XYZ");
    EXPECT_NE(Status().find("\tTx First not set: the Tx First box stays unticked when pressed"),
              std::string::npos) << Status();
    RunTo(At2200 + 610);
    EXPECT_EQ(Status().find("Tx First"), std::string::npos) << "Q7PQR keeps WSJT's period: " << Status();
    RunTo(At2200 + 1800 + 5);
    const std::string& log = platform.files[Log];
    const std::string note = " UTC Tx First not set: the Tx First box stays unticked when pressed\r\n";
    EXPECT_NE(log.find(note), std::string::npos) << log;
    EXPECT_EQ(log.find(note, log.find(note) + 1), std::string::npos) << "told once";
    // The box stays unticked, as the second period wants: nothing to tell.
    EXPECT_EQ(log.find("stays ticked"), std::string::npos);
}

TEST_F(Following, ScheduleEndedWhileStartWaitedOnAMessageEndsIdle)
{
    // The log can't be opened: START's message stays open past the last
    // entry's end. Delay start is ticked and disabled, which alone would
    // call the Run page's partner later.
    w.ClickDelay(true);
    w.ClickStop(true);
    w.eTRCS.text = "Q0OLD";
    platform.cannotCreate.insert(Log);
    platform.whileBoxOpen = [&] { SetUtc(At2200 + 1800); };
    Start(ThreePeriods, At2200 + 1790);
    EXPECT_FALSE(Armed());
    EXPECT_TRUE(w.bRun.enabled);
    EXPECT_FALSE(platform.keptAwake);
    ASSERT_FALSE(platform.errors.empty());
    EXPECT_NE(platform.errors.back().second.find("nothing is left to follow"), std::string::npos);
    platform.whileBoxOpen = nullptr;
    RunTo(At2200 + 2 * 86400);
    EXPECT_EQ(Periods(), Strings{}) << "nobody called";
}

// One fresh window for each way a run ends.
struct OneRun : Following {
    void TestBody() override {}
};

TEST(KeepAwake, FromStartToTheIdleLookWhateverEndsTheRun)
{
    const struct { const char* way; std::function<void(OneRun&)> end; bool idle; } ways[] = {
        {"STOP", [](OneRun& f) { f.w.form.bRunClick(); }, true},
        {"close", [](OneRun& f) { bool canClose = true; f.w.form.FormCloseQuery(canClose); }, true},
        {"end of session", [](OneRun& f) { f.w.form.FormEndSession(); }, true},
        {"schedule done", [](OneRun& f) { f.RunTo(At2200 + 1800 + 5); }, true},
        {"parked by the stop time, delay ticked",
         [](OneRun& f) {
             f.w.cbFollow.checked = false;
             f.w.form.bRunClick();  // STOP
             f.w.ClickDelay(true);
             f.w.ClickStop(true);
             f.w.dtpStop.SetTime(22, 1);
             f.StartSked("Q9XYZ");
             f.RunTo(At2200 + 120);
         },
         false},
    };
    for (const auto& c : ways) {
        SCOPED_TRACE(c.way);
        OneRun f;
        f.Start(ThreePeriods, At2200 - 10);
        ASSERT_TRUE(f.Armed());
        EXPECT_TRUE(f.platform.keptAwake);
        c.end(f);
        EXPECT_EQ(f.Armed(), !c.idle);
        EXPECT_EQ(f.platform.keptAwake, !c.idle);
    }
}

// Every decode of the partner the scans read is counted once, though a
// line stays fresh for two scans; a stranger's is not his.
TEST_F(Following, EachDecodeOfThePartnerCountsOnce)
{
    const auto line = [](const char* stamp, const char* message) {
        std::string text = std::string(stamp) + " 14.2  120  4 26  -33     " + message;
        text.resize(79, ' ');
        return text + "\r\n";
    };
    Start(ThreePeriods, At2200 - 10);
    RunTo(At2200 + 20);
    ASSERT_EQ(ToRadio(), "Q9XYZ");
    std::string& decoded = platform.files[Decoded];
    for (int n = 0; n < 5; ++n)
        decoded += line("220020", "Q1ABC Q9XYZ");
    decoded += line("220020", "Q5AAA Q8ZZZ");
    RunTo(At2200 + 40);
    EXPECT_EQ(run.FState, 1);
    decoded += line("220100", "Q9XYZ R27");
    RunTo(At2200 + 70);
    const NightEntry& entry = run.skeds.NightRecord().Entries().back();
    EXPECT_EQ(entry.decodes, 6);
    ASSERT_EQ(entry.marks.size(), 6u);
    EXPECT_EQ(entry.marks.front().text, "Q1ABC Q9XYZ");
    EXPECT_EQ(entry.marks.front().step, StepHeard);
    EXPECT_EQ(entry.marks.back().step, StepR27);
    EXPECT_EQ(entry.firstHeard, At2200 + 20);
    EXPECT_EQ(entry.lastHeard, At2200 + 60);
}
