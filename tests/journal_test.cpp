// Reading the stand-in's journal: the checks the end-to-end contact tests
// and the rehearsal rest on.
#include <gtest/gtest.h>

#include "tools/journal.h"
#include "tools/partner_sim.h"

namespace {

std::vector<std::string> Sked(std::vector<std::string> tx, bool release = true)
{
    std::vector<std::string> a = {"toradio Q9XYZ", "press &Lookup", "press &Lookup", "press &Gen Std Msgs",
                                  "press &Gen Std Msgs", "press &Auto is OFF"};
    for (const std::string& t : tx)
        a.push_back("press Tx &" + t);
    if (release)
        a.insert(a.end(), {"toradio 12345", "press &Auto is ON"});
    return a;
}

std::string Decode(const char* time, int h, int m, int s, const std::string& message)
{
    return std::string(time) + " decode " + DecodeLine(h, m, s, message);
}

}  // namespace

TEST(Journal, ParsesEventsAndRunsOnPastMidnight)
{
    const auto events = ParseJournal("23:59:58.500 start 42\r\n"
                                     "garbage\n"
                                     "23:59:59.000 press Tx &2 tx=1 auto=on\n"
                                     "00:00:01.250 toradio 12345\n"
                                     "1:2:3.4 short\n");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].what, "start 42");
    EXPECT_EQ(events[1].ms, 86399000);
    EXPECT_EQ(events[2].ms, 86400000 + 1250);
    EXPECT_EQ(PeerActions(events), (std::vector<std::string>{"press Tx &2", "toradio 12345"}));
}

TEST(Journal, TxFirstAtEachToRadioChange)
{
    const auto changes = ToRadioChanges(ParseJournal("10:00:00.000 toradio Q8AAA\n"  // an older stand-in
                                                     "10:00:01.000 txfirst off\n"
                                                     "10:00:01.000 toradio Q9XYZ\n"
                                                     "10:00:02.000 press Tx &First tx=1 auto=off\n"
                                                     "10:00:02.000 txfirst on\n"
                                                     "10:00:40.000 txfirst on\n"
                                                     "10:00:40.000 toradio 12345\n"));
    EXPECT_EQ(changes, (std::vector<ToRadioChange>{{"Q8AAA", -1}, {"Q9XYZ", 0}, {"12345", 1}}));
}

TEST(Journal, StateFollowsThePresses)
{
    const struct { const char* journal; int state; } cases[] = {
        {"", -1},
        {"10:00:00.000 toradio Q9XYZ\n10:00:00.100 press &Auto is OFF tx=1 auto=off\n", 0},
        {"10:00:00.100 press &Auto is OFF tx=1 auto=off\n10:00:35.000 press Tx &2 tx=1 auto=on\n", 1},
        {"10:00:35.000 press Tx &5 tx=4 auto=on\n", 4},
        {"10:00:35.000 press Tx &5 tx=4 auto=on\n10:01:00.000 toradio 12345\n", -1},
        {"10:00:35.000 press Tx &3 tx=2 auto=on\n10:00:36.000 press Tx &6 tx=3 auto=on\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.journal);
        EXPECT_EQ(StateFromJournal(ParseJournal(c.journal)), c.state);
    }
}

TEST(Journal, ChecksTheActionsOfAContact)
{
    std::vector<std::string> cq = {"toradio CQ", "press &Lookup", "press &Lookup", "press &Gen Std Msgs",
                                   "press &Gen Std Msgs", "press &Auto is OFF", "toradio Q7PQR",
                                   "press &Gen Std Msgs", "press &Gen Std Msgs", "press Tx &2", "press Tx &4",
                                   "press Tx &5", "toradio 12345", "press &Auto is ON"};
    EXPECT_EQ(CheckContact(cq, "CQ", "Q7PQR"), "");
    EXPECT_NE(CheckContact(cq, "CQ", "Q8AAA"), "");

    const struct { const char* name; std::vector<std::string> actions; bool ok; } cases[] = {
        {"every step", Sked({"2", "3", "4", "5"}), true},
        {"a step passed over", Sked({"2", "4", "5"}), true},
        {"answered with a report at once", Sked({"3", "4", "5"}), true},
        {"Tx 6", Sked({"2", "6"}), false},
        {"goes back", Sked({"2", "4", "3", "5"}), false},
        {"pressed twice", Sked({"2", "2", "5"}), false},
        {"never reaches Tx 5", Sked({"2", "3", "4"}), false},
        {"not released", Sked({"2", "3", "4", "5"}, false), false},
        {"called again", [] { auto a = Sked({"2", "5"}); a.insert(a.begin() + 8, "toradio Q9XYZ"); return a; }(),
         false},
        {"nothing", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string problem = CheckContact(c.actions, "Q9XYZ", "Q9XYZ");
        EXPECT_EQ(problem.empty(), c.ok) << problem;
    }
}

TEST(Journal, ExpectsTheMarkedLinesThatAScanOfTheRunFoundFresh)
{
    const std::vector<std::string> markers = {"Q1A", "ABC", "Q9X", "XYZ", " 27", "R27", "RRR", "73"};
    const std::string journal =
        Decode("09:59:31.100", 9, 59, 0, "Q1ABC Q9XYZ") + "\n" +            // stale by the first scan
        Decode("10:00:01.100", 9, 59, 30, "Q1ABC Q9XYZ") + "\n" +           // before the run, fresh at :05
        "10:00:02.000 toradio Q9XYZ\n" +                                   //
        Decode("10:00:31.100", 10, 0, 0, "E.5 /Y") + "\n" +                 // no marker
        Decode("10:00:31.200", 10, 0, 0, "Q1ABC Q9XYZ R27 R27") + "\n" +    //
        "10:01:20.000 toradio 12345\n" +                                   //
        Decode("10:01:31.100", 10, 1, 0, "RRRR RRRR Q9XYZ") + "\n" +        // after the stop
        "10:02:00.000 toradio Q9XYZ\n" +                                   // a second run
        Decode("10:02:31.100", 10, 2, 0, "73 Q9XYZ") + "\n" +               //
        "10:02:40.000 toradio 12345\n";
    const auto events = ParseJournal(journal);
    const auto line = [](int m, int s, const char* message) { return DecodeLine(10, m, s, message); };
    EXPECT_EQ(ExpectedLog(events, markers),
              (std::vector<std::string>{DecodeLine(9, 59, 30, "Q1ABC Q9XYZ"), line(0, 0, "Q1ABC Q9XYZ R27 R27")}));
    EXPECT_EQ(ExpectedLog(events, markers, 7), (std::vector<std::string>{line(2, 0, "73 Q9XYZ")}));
    EXPECT_EQ(ExpectedLog(events, {"73"}, 7), (std::vector<std::string>{line(2, 0, "73 Q9XYZ")}));
    EXPECT_EQ(ExpectedLog(events, {"R27"}), (std::vector<std::string>{line(0, 0, "Q1ABC Q9XYZ R27 R27")}));
    EXPECT_TRUE(ExpectedLog(events, markers, 8).empty());  // no call placed after the run
}

TEST(Journal, ExpectedLogAcrossMidnight)
{
    const std::string journal = "23:59:50.000 toradio Q9XYZ\n" + Decode("00:00:01.100", 23, 59, 30, "Q1ABC Q9XYZ") +
                                "\n00:00:20.000 toradio 12345\n";
    EXPECT_EQ(ExpectedLog(ParseJournal(journal), {"Q1A"}),
              (std::vector<std::string>{DecodeLine(23, 59, 30, "Q1ABC Q9XYZ")}));
}
