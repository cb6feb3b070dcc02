// The call and release sequences and the Tx button of each state, against
// the simulated desktop.
#include <gtest/gtest.h>

#include "peer/peer.h"
#include "tests/support/model_window.h"
#include "tests/support/sim_window_system.h"

namespace {

struct PeerFixture : ::testing::Test {
    ModelWindow w;
    ::Run& run = w.form.run;
    SimWindowSystem desktop;
    SimWindowSystem::Peer wsjt = desktop.AddWsjt();

    PeerFixture()
    {
        w.form.FormCreate();
        run.PeerControls[pcMain] = wsjt.main;
        run.PeerControls[pcToRadio] = wsjt.toRadio;
        run.PeerControls[pcGenStd] = wsjt.genStd;
        run.PeerControls[pcAuto] = wsjt.autoButton;
        run.PeerControls[pcLookup] = wsjt.lookup;
        for (int i = 2; i <= 6; ++i)
            run.PeerControls[pcTx2 + i - 2] = wsjt.tx[i];
    }
};

using Journal = std::vector<std::string>;

}  // namespace

TEST_F(PeerFixture, CallStationEntersTheCallAndSwitchesAutoOn)
{
    w.eTLimit.value = 2.5;
    run.TickCount = 17;
    run.CallStation("Q9XYZ");
    EXPECT_EQ(desktop.journal, (Journal{"set 12345 -> Q9XYZ", "press &Lookup", "press &Lookup",
                                        "press &Gen Std Msgs", "press &Gen Std Msgs", "press &Auto is OFF"}));
    EXPECT_EQ(desktop.TextOf(wsjt.autoButton), "&Auto is ON");
    EXPECT_EQ(w.form.run.FState, 0);
    EXPECT_EQ(run.TickCount, 0);
    EXPECT_EQ(run.TickLimit, 120);
}

TEST_F(PeerFixture, AutoLoopsPressOnlyWhenNeededAndAreBounded)
{
    desktop.SetTextOf(wsjt.autoButton, "&Auto is ON");
    desktop.Find(wsjt.autoButton)->toggleTo = "&Auto is OFF";
    run.CallStation("CQ");
    EXPECT_EQ(desktop.journal.back(), "press &Gen Std Msgs");  // already on: no press

    desktop.journal.clear();
    run.ReleaseWSJT();
    EXPECT_EQ(desktop.journal, (Journal{"set CQ -> 12345", "press &Auto is ON"}));
    desktop.journal.clear();
    run.ReleaseWSJT();  // already off: only the write
    EXPECT_EQ(desktop.journal, (Journal{"set 12345 -> 12345"}));

    // A caption that never changes is pressed a bounded number of times.
    desktop.Find(wsjt.autoButton)->toggleTo.clear();
    desktop.journal.clear();
    run.CallStation("Q9XYZ");
    EXPECT_EQ(std::count(desktop.journal.begin(), desktop.journal.end(), "press &Auto is OFF"), 3);
    EXPECT_EQ(w.form.run.FState, 0);
}

TEST_F(PeerFixture, SetStatePressesTheButtonOfEachNewState)
{
    w.form.run.FState = 0;
    run.TickLimit = 1800;
    for (int state = 1; state <= 5; ++state) {
        desktop.journal.clear();
        w.form.run.SetState(state);
        EXPECT_EQ(desktop.journal, (Journal{"press Tx &" + std::to_string(state + 1)}));
        EXPECT_EQ(w.form.run.FState, state);
    }
    EXPECT_EQ(run.TickLimit, 240);  // set by state 4, kept by 5

    desktop.journal.clear();
    run.TickCount = 9;
    w.form.run.SetState(5);  // same state: nothing at all
    w.form.run.SetState(-1);
    w.form.run.SetState(6);
    EXPECT_TRUE(desktop.journal.empty());
    EXPECT_EQ(w.form.run.FState, 6);
    EXPECT_EQ(run.TickCount, 9);
}

TEST_F(PeerFixture, SetStateZeroCallsAgainWithTheModeAtThatMoment)
{
    w.form.run.FState = 3;
    w.eTRCS.text = "Q7ABC";
    w.form.run.SetState(0);
    EXPECT_EQ(desktop.journal.front(), "set 12345 -> Q7ABC");
    EXPECT_EQ(run.TickLimit, 1800);

    w.form.run.FState = 2;
    w.SelectCQ(true);
    desktop.journal.clear();
    w.form.run.SetState(0);
    EXPECT_EQ(desktop.journal.front(), "set Q7ABC -> CQ");

    desktop.journal.clear();
    w.form.run.SetState(0);  // already calling: no new call
    EXPECT_TRUE(desktop.journal.empty());
}

TEST_F(PeerFixture, TextsAreCutOnReadAndSentWholeOnWrite)
{
    const std::string longText(150, 'A');
    desktop.SetTextOf(wsjt.toRadio, longText);
    EXPECT_EQ(GetControlText(w.desktop, wsjt.toRadio), std::string(100, 'A'));
    SetControlText(w.desktop, wsjt.toRadio, std::string(200, 'B'));
    EXPECT_EQ(desktop.TextOf(wsjt.toRadio), std::string(200, 'B'));

    desktop.Kill(wsjt.lookup);
    EXPECT_EQ(GetControlText(w.desktop, wsjt.lookup), "");
    EXPECT_EQ(GetControlText(w.desktop, NoPeer), "");
    ClickControl(w.desktop, wsjt.lookup);  // acts on nothing
    SetControlText(w.desktop, NoPeer, "x");
}

// A run's release puts the box back in the state that the next search finds.
TEST_F(PeerFixture, ReleasedWsjtIsFoundAgain)
{
    run.CallStation("Q9XYZ");
    ASSERT_EQ(desktop.TextOf(wsjt.autoButton), "&Auto is ON");
    run.ReleaseWSJT();
    EXPECT_TRUE(run.FindWSJT());
    EXPECT_EQ(run.PeerControls[pcToRadio], wsjt.toRadio);
    EXPECT_EQ(desktop.TextOf(wsjt.autoButton), "&Auto is OFF");
}
