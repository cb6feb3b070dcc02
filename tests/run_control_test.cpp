// START, STOP and the close question against the model window, the
// simulated desktop and the fake platform services.
#include <gtest/gtest.h>

#include "tests/support/run_fixture.h"
#include "ui/run_control.h"

using Strings = std::vector<std::string>;

TEST(CallsignList, LinesReduceToLeadingLettersAndDigitsUpperCased)
{
    const std::pair<const char*, const char*> cases[] = {
        {"q1abc", "Q1ABC"},        {"Q9XYZ,JO22,EME,,Bob", "Q9XYZ"}, {"Q2DEF/P", "Q2DEF"},
        {"Q7/Q4STU", "Q7"},        {"Q3GHI more", "Q3GHI"},         {" Q1ABC", ""},
        {"", ""},                  {"// comment", ""},              {"AB\xC4" "CD", "AB"},
        {"ZZZZZZ,End-of-Database", "ZZZZZZ"},
    };
    for (const auto& [line, call] : cases)
        EXPECT_EQ(ReduceCallsign(line), call) << line;
    EXPECT_EQ(UpperCaseAscii("q1abc \xE9z"), "Q1ABC \xE9Z");
}

struct StartFailure : RunFixture {
    // The window keeps its idle look, bRun is usable again and nothing is saved.
    void ExpectIdleAfter(const char* message)
    {
        EXPECT_EQ(platform.messages, Strings{message});
        EXPECT_EQ(w.bRun.caption, "START");
        EXPECT_TRUE(w.bRun.enabled);
        EXPECT_TRUE(w.bRun.focused) << "the keyboard works START again";
        EXPECT_TRUE(w.feDecoded.enabled);
        EXPECT_EQ(w.form.run.FState, -1);
        EXPECT_TRUE(platform.settingWrites.empty());
        EXPECT_FALSE(run.LogOpen);
        EXPECT_TRUE(desktop.journal.empty());
    }
};

TEST_F(StartFailure, SkedWithoutPartnerUpperCasesAndStripsFirst)
{
    w.eCS.text = "q1abc";
    w.feDecoded.text = "\"c:\\my wsjt\\decoded.cum\"";
    w.feCSList.text = "\"c:\\calls.txt";  // begins with a quote only: a real name, kept whole
    w.feLog.text = "\"";
    w.eTRCS.text = "";
    w.form.bRunClick();
    ExpectIdleAfter(RunMessages::PartnerEmpty);
    EXPECT_EQ(w.eCS.text, "Q1ABC");
    EXPECT_EQ(w.feDecoded.text, "c:\\my wsjt\\decoded.cum");
    EXPECT_EQ(w.feCSList.text, "\"c:\\calls.txt");
    EXPECT_EQ(w.feLog.text, "\"");
    EXPECT_EQ(run.LogTokens[0], "");  // not reached
}

TEST_F(StartFailure, ButtonIsDisabledWhileTheMessageIsOpen)
{
    bool enabledDuringBox = true;
    platform.whileBoxOpen = [&] { enabledDuringBox = w.bRun.enabled; };
    w.form.bRunClick();
    EXPECT_FALSE(enabledDuringBox);
    EXPECT_TRUE(w.bRun.enabled);
}

TEST_F(StartFailure, CQListIsCheckedBeforeTheOwnCallsign)
{
    w.SelectCQ(true);
    w.eCS.text = "";
    w.form.bRunClick();
    ExpectIdleAfter(RunMessages::ListNotFound);

    platform.messages.clear();
    platform.folders.insert(List);  // a folder of that name is no file
    platform.files[List] = "";
    w.form.bRunClick();
    ExpectIdleAfter(RunMessages::ListNotFound);
}

TEST_F(StartFailure, CQListThatCannotBeReadLeavesAnEmptyList)
{
    run.CallList.emplace(Strings{"OLD"});
    w.SelectCQ(true);
    platform.files[List] = "Q9XYZ\r\n";
    platform.readLocked.insert(List);
    w.eCS.text = "Q1ABC";
    w.form.bRunClick();
    ExpectIdleAfter(RunMessages::ListLoadFailure);
    ASSERT_TRUE(run.CallList);
    EXPECT_TRUE(run.CallList->empty());
}

TEST_F(StartFailure, CQWithoutOwnCallsignKeepsTheLoadedList)
{
    w.SelectCQ(true);
    platform.files[List] = "q9xyz,JO22\r\n\r\n Q8AAA\rq7bbb/p\nQ6CCC";
    w.form.bRunClick();
    ExpectIdleAfter(RunMessages::OwnCallMissing);
    EXPECT_EQ(*run.CallList, (Strings{"Q9XYZ", "", "", "Q7BBB", "Q6CCC"}));
}

TEST_F(StartFailure, PeerNotFoundLeavesTheMarkersSetSoFar)
{
    desktop.Kill(wsjt.main);
    StartSked("q9xyz", "AB");
    ExpectIdleAfter(RunMessages::PeerNotFound);
    EXPECT_EQ(w.eTRCS.text, "Q9XYZ");
    EXPECT_EQ(run.PartnerCall, "Q9XYZ");
    EXPECT_EQ(run.Progression[0], "Q9XYZ");
    EXPECT_EQ(run.LogTokens[0], "AB");
    EXPECT_EQ(run.LogTokens[1], "AB");
    EXPECT_EQ(run.LogTokens[2], "Q9X");
    EXPECT_EQ(run.LogTokens[3], "XYZ");
    for (PeerSlot slot : {pcMain, pcToRadio, pcGenStd, pcTx2, pcTx4, pcTx6})
        EXPECT_EQ(run.PeerControls[slot], NoPeer);
}

TEST_F(RunFixture, SkedStartCallsTheStationAndSavesTheSettings)
{
    platform.files[Decoded] = "old";
    w.eTLimit.value = 2.5;
    StartSked("q9xyz", "q1abc");

    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(Armed());
    EXPECT_EQ(desktop.journal, (Strings{"set 12345 -> Q9XYZ", "press &Lookup", "press &Lookup",
                                        "press &Gen Std Msgs", "press &Gen Std Msgs", "press &Auto is OFF"}));
    EXPECT_EQ(w.form.run.FState, 0);
    EXPECT_EQ(run.TickLimit, 120);
    EXPECT_FALSE(platform.files.count(Decoded));  // cleared before the call
    EXPECT_TRUE(run.LogOpen);
    EXPECT_EQ(run.LogTokens[0], "Q1A");
    EXPECT_EQ(run.LogTokens[1], "ABC");
    EXPECT_EQ(platform.settingWrites,
              (Strings{std::string("Decoded=") + Decoded, std::string("CSList=") + List,
                       std::string("Log=") + Log, "CS=Q1ABC", "TLimit=2", "ClearDecoded=1", "FollowSkeds=0",
                       "UdpServer=127.0.0.1", "UdpPort=2237", "Rig="}));

    // The running look, the keyboard on STOP.
    EXPECT_TRUE(w.bRun.enabled);
    EXPECT_TRUE(w.bRun.focused);
    for (const TControl* c : std::initializer_list<const TControl*>{
             &w.feDecoded, &w.eCS, &w.eTLimit, &w.feLog, &w.cbDelay, &w.dtpDelay, &w.cbCLDec,
             &w.feCSList, &w.rbCQ, &w.rbSKED, &w.cbAutoCS, &w.cbStop, &w.dtpStop, &w.eTRCS,
             &w.cbUdp, &w.eUdpServer, &w.eUdpPort})
        EXPECT_FALSE(c->Enabled());
}

TEST_F(RunFixture, SkedStartWithEmptyOwnCallsignRunsWithEmptyMarkers)
{
    run.LogTokens[0] = "OLD";
    StartSked("Q9XYZ", "");
    EXPECT_TRUE(Armed());
    EXPECT_EQ(run.LogTokens[0], "");
    EXPECT_EQ(run.LogTokens[1], "");
}

TEST_F(RunFixture, CQStartCallsCQAndKeepsTheSkedMarkers)
{
    StartSked("Q9XYZ");
    w.form.bRunClick();  // STOP
    StartCQ("Q2AAA\r\n");
    EXPECT_TRUE(Armed());
    EXPECT_EQ(ToRadio(), "CQ");
    EXPECT_EQ(run.PartnerCall, "Q9XYZ");
    EXPECT_EQ(run.Progression[0], "Q9XYZ");
    EXPECT_EQ(run.LogTokens[3], "XYZ");
    EXPECT_EQ(*run.CallList, Strings{"Q2AAA"});
}

TEST_F(RunFixture, LogIsCreatedOrAppendedAndFailureRunsWithoutIt)
{
    StartSked("Q9XYZ");
    EXPECT_TRUE(platform.files.count(Log));
    EXPECT_TRUE(run.LogOpen);
    w.form.bRunClick();
    EXPECT_FALSE(run.LogOpen);
    EXPECT_TRUE(platform.openFiles.empty());

    platform.files[Log] = "kept\r\n";
    StartSked("Q9XYZ");
    ASSERT_TRUE(run.LogOpen);
    platform.WriteFile(run.LogHandle, "new\r\n", 5);
    EXPECT_EQ(platform.files[Log], "kept\r\nnew\r\n");
    w.form.bRunClick();

    for (const char* name : {"", "c:\\no such folder\\log.txt"}) {
        platform.messages.clear();
        w.feLog.text = name;
        platform.cannotCreate.insert(name);
        StartSked("Q9XYZ");
        EXPECT_EQ(platform.messages, Strings{RunMessages::LogOpenFailure}) << name;
        EXPECT_TRUE(Armed());
        EXPECT_FALSE(run.LogOpen);
        EXPECT_EQ(w.form.run.FState, 0);
        w.form.bRunClick();
    }
}

TEST_F(RunFixture, DelayedStartWaitsAndStopLeavesThePeerAlone)
{
    platform.files[Decoded] = "old";
    w.ClickDelay(true);
    StartSked("Q9XYZ");
    EXPECT_TRUE(Armed());
    EXPECT_EQ(w.form.run.FState, -1);
    EXPECT_TRUE(platform.files.count(Decoded));  // cleared with the first call, not now
    EXPECT_TRUE(desktop.journal.empty());
    EXPECT_EQ(platform.settingWrites.size(), 10u);

    w.form.bRunClick();
    EXPECT_FALSE(Armed());
    EXPECT_TRUE(desktop.journal.empty());
    EXPECT_TRUE(w.dtpDelay.enabled);
    EXPECT_FALSE(w.dtpStop.enabled);
}

TEST_F(RunFixture, StopReleasesThePeerAndBringsTheIdleLookBack)
{
    w.SelectCQ(true);
    platform.files[List] = "Q2AAA";
    w.eCS.text = "Q1ABC";
    w.form.bRunClick();
    desktop.journal.clear();
    w.form.bRunClick();
    EXPECT_EQ(desktop.journal, (Strings{"set CQ -> 12345", "press &Auto is ON"}));
    EXPECT_EQ(w.form.run.FState, -1);
    EXPECT_EQ(w.bRun.caption, "START");
    EXPECT_TRUE(w.feCSList.enabled);  // CQ mode
    EXPECT_TRUE(w.cbAutoCS.enabled);
    EXPECT_FALSE(w.eTRCS.enabled);
    EXPECT_TRUE(w.rbSKED.enabled);

    // Parked: both boxes ticked and stopped by the clock.
    w.SelectCQ(false);
    w.ClickDelay(true);
    w.ClickStop(true);
    StartSked("Q9XYZ");
    w.form.run.FState = 2;
    w.form.StopRun(false);
    EXPECT_EQ(w.bRun.caption, "STOP");
    EXPECT_FALSE(w.feDecoded.enabled);
    EXPECT_EQ(w.form.run.FState, -1);
    EXPECT_FALSE(run.LogOpen);
}

TEST_F(RunFixture, SettingsWriteStopsAtTheFirstFailingKey)
{
    platform.unwritableKeys.insert("Log");
    StartSked("Q9XYZ");
    EXPECT_TRUE(Armed());
    EXPECT_EQ(platform.settingWrites.size(), 2u);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0].second, std::string("Unable to write to ") + Ini + ".");
}

TEST_F(RunFixture, CloseQuestionInEachPhase)
{
    bool canClose = true;
    w.form.FormCloseQuery(canClose);  // idle: no question
    EXPECT_TRUE(canClose);
    EXPECT_TRUE(platform.questions.empty());

    StartSked("Q9XYZ");
    platform.answerOk = false;
    w.form.FormCloseQuery(canClose);
    EXPECT_FALSE(canClose);
    EXPECT_TRUE(Armed());
    EXPECT_EQ(platform.questions, Strings{RunMessages::CloseQuestion});

    platform.answerOk = true;
    canClose = true;
    w.form.FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
    EXPECT_FALSE(Armed());
    EXPECT_EQ(ToRadio(), "12345");
    EXPECT_EQ(AutoCaption(), "&Auto is OFF");

    // The stop time ends the run while the question is open: OK starts nothing.
    StartSked("Q9XYZ");
    platform.whileBoxOpen = [&] { w.form.StopRun(false); };
    w.form.FormCloseQuery(canClose);
    EXPECT_TRUE(canClose);
    EXPECT_FALSE(Armed());
    EXPECT_EQ(w.form.run.FState, -1);
}

// After a sked run the list box is back as soon as CQ is selected, and the
// partner box, locked while the run was armed, is editable again.
TEST_F(RunFixture, IdleLookAfterASkedLeavesNoDeadEnd)
{
    StartSked("Q9XYZ");
    EXPECT_FALSE(w.eTRCS.enabled);
    w.form.bRunClick();
    EXPECT_TRUE(w.eTRCS.enabled);
    EXPECT_FALSE(w.feCSList.enabled);
    w.SelectCQ(true);
    EXPECT_TRUE(w.feCSList.enabled);
}

// Whatever throws inside START leaves it usable, and a list too large for
// memory is a list that could not be loaded.
TEST_F(StartFailure, AFailureInsideStartLeavesItUsable)
{
    platform.whileBoxOpen = [] { throw std::bad_alloc(); };
    StartSked("");
    EXPECT_TRUE(w.bRun.enabled);
    EXPECT_EQ(w.bRun.caption, "START");

    platform.whileBoxOpen = nullptr;
    platform.messages.clear();
    platform.outOfMemory.insert(List);
    StartCQ("Q2AAA");
    ExpectIdleAfter(RunMessages::ListLoadFailure);
    EXPECT_TRUE(run.CallList->empty());
}

// A close that comes while a box of START is open waits for START, then is
// handled as a close of an armed run.
TEST_F(RunFixture, CloseDuringStartWaitsForIt)
{
    platform.cannotCreate.insert(Log);
    bool deferred = false;
    platform.whileBoxOpen = [&] { deferred = w.form.DeferClose(); };
    StartSked("Q9XYZ");
    EXPECT_TRUE(deferred);
    EXPECT_TRUE(Armed());
    EXPECT_EQ(AutoCaption(), "&Auto is ON");
    platform.whileBoxOpen = nullptr;
    ASSERT_TRUE(w.form.TakePendingClose());
    EXPECT_FALSE(w.form.TakePendingClose());
    EXPECT_FALSE(w.form.DeferClose());
}

// At log-off an armed run ends as OK at the close question ends it.
TEST_F(RunFixture, SessionEndReleasesWsjtWithoutAsking)
{
    w.form.FormEndSession();  // idle: nothing
    EXPECT_TRUE(desktop.journal.empty());
    StartSked("Q9XYZ");
    w.form.FormEndSession();
    EXPECT_TRUE(platform.questions.empty());
    EXPECT_EQ(w.bRun.caption, "START");
    EXPECT_EQ(ToRadio(), "12345");
    EXPECT_EQ(AutoCaption(), "&Auto is OFF");
    EXPECT_FALSE(run.LogOpen);
}

// The status bar follows the run: calling, trouble while it lasts, the
// contacts counted since START.
TEST_F(RunFixture, StatusLineFollowsTheRun)
{
    std::string line;
    run.StatusLine(line);
    EXPECT_EQ(line, "Idle");
    StartSked("Q9XYZ");
    run.StatusLine(line);
    EXPECT_EQ(line.rfind("Calling Q9XYZ", 0), 0u) << line;

    for (PeerHandle h : {wsjt.main, wsjt.toRadio, wsjt.lookup, wsjt.genStd, wsjt.autoButton})
        desktop.Kill(h);
    run.FState = 2;
    run.SetState(0);
    run.StatusLine(line);
    EXPECT_EQ(line.rfind("WSJT's window is gone", 0), 0u) << line;

    run.FState = 3;
    run.SetState(4);
    run.StatusLine(line);
    EXPECT_NE(line.find("1 contact"), std::string::npos) << line;
}
