// Finding WSJT's main window and controls on the simulated desktop.
#include <gtest/gtest.h>

#include "peer/peer.h"
#include "tests/support/sim_window_system.h"

namespace {

// Records which windows were read, and can make a window go away between
// the enumeration and the reading of its text.
struct Desktop : SimWindowSystem {
    std::vector<PeerHandle> reads;
    PeerHandle dieAfterEnumeration = NoPeer;

    void GetText(PeerHandle window, char* buffer, int capacity) override
    {
        reads.push_back(window);
        SimWindowSystem::GetText(window, buffer, capacity);
    }
    void EnumWindows(EnumProc proc, std::intptr_t context) override
    {
        SimWindowSystem::EnumWindows(proc, context);
        Kill(dieAfterEnumeration);
    }
    void EnumChildWindows(PeerHandle parent, EnumProc proc, std::intptr_t context) override
    {
        SimWindowSystem::EnumChildWindows(parent, proc, context);
        Kill(dieAfterEnumeration);
    }
    bool WasRead(PeerHandle h) const { return std::find(reads.begin(), reads.end(), h) != reads.end(); }
};

struct DiscoveryTest : ::testing::Test {
    Desktop desktop;
    PeerControlSet PeerControls{};
    WindowList WinList;

    // The system's own windows come first, as on a real desktop.
    DiscoveryTest()
    {
        desktop.AddTop("");
        desktop.AddTop("Program Manager");
    }
    // A search on the desktop put up last.
    bool Find() { return FindWSJT(*currentDesktop, PeerControls, WinList); }
    // Handles of a search that found nothing must not survive it.
    void FillSlotsWithJunk() { PeerControls.fill(0xdead); }
    bool SlotsHold(const SimWindowSystem::Peer& p)
    {
        return PeerControls[pcMain] == p.main && PeerControls[pcToRadio] == p.toRadio &&
               PeerControls[pcGenStd] == p.genStd && PeerControls[pcAuto] == p.autoButton &&
               PeerControls[pcLookup] == p.lookup && PeerControls[pcTx2] == p.tx[2] &&
               PeerControls[pcTx3] == p.tx[3] && PeerControls[pcTx4] == p.tx[4] &&
               PeerControls[pcTx5] == p.tx[5] && PeerControls[pcTx6] == p.tx[6];
    }
    bool AllSlotsEmpty()
    {
        return std::all_of(PeerControls.begin(), PeerControls.end(), [](PeerHandle h) { return h == NoPeer; });
    }
};

}  // namespace

TEST_F(DiscoveryTest, FindsEveryControlOfWsjt)
{
    SimWindowSystem::Peer p = desktop.AddWsjt();
    EXPECT_TRUE(Find());
    EXPECT_TRUE(SlotsHold(p));
    EXPECT_FALSE(WinList);
    EXPECT_TRUE(desktop.WasRead(p.tx[1]));  // read, but it fills no slot
}

TEST_F(DiscoveryTest, NoWsjtMeansNoDescendantIsRead)
{
    PeerHandle other = desktop.AddTop("Notepad");
    desktop.AddChild(other, "Tx &2");
    FillSlotsWithJunk();
    EXPECT_FALSE(Find());
    EXPECT_TRUE(AllSlotsEmpty());
    EXPECT_EQ(desktop.reads.size(), 3u);  // the three top-level titles only
    EXPECT_FALSE(WinList);
}

TEST_F(DiscoveryTest, MainWindowTitleIsACaseSensitiveSearchInItsFirst100Characters)
{
    const struct {
        std::string title;
        bool found;
    } cases[] = {
        {"WSJT 4.9.7  by K1JT", true},
        {"WSJT 45", true},
        {"Log - WSJT 4", true},
        {std::string(94, 'x') + "WSJT 4", true},   // begins at the 95th character
        {std::string(95, 'x') + "WSJT 4", false},  // cut to "WSJT " by the read
        {"wsjt 4.9.7", false},
        {"WSJT4.9.7", false},
        {"WSJT 5.0", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        Desktop d;
        SimWindowSystem::Peer p = d.AddWsjt(c.title);
        EXPECT_EQ(Find(), c.found);
        EXPECT_EQ(PeerControls[pcMain], c.found ? p.main : NoPeer);
        EXPECT_EQ(PeerControls[pcToRadio], c.found ? p.toRadio : NoPeer);
    }
}

TEST_F(DiscoveryTest, FirstMainWindowWinsAndTheSecondIsNeverRead)
{
    SimWindowSystem::Peer first = desktop.AddWsjt("WSJT 4.9.7 first");
    SimWindowSystem::Peer second = desktop.AddWsjt("WSJT 4.9.7 second");
    EXPECT_TRUE(Find());
    EXPECT_TRUE(SlotsHold(first));
    EXPECT_FALSE(desktop.WasRead(second.main));
    EXPECT_FALSE(desktop.WasRead(second.tx[2]));
}

TEST_F(DiscoveryTest, CaptionsMatchOnlyWhole)
{
    const struct {
        PeerSlot slot;
        std::string text;
    } cases[] = {
        {pcToRadio, "12345 "}, {pcToRadio, "012345"}, {pcToRadio, "Q9XYZ"}, {pcToRadio, "CQ"},
        {pcTx2, "Tx &2 "},     {pcTx2, "tx &2"},      {pcTx2, "Tx 2"},      {pcGenStd, "&Gen Std Msgs "},
        {pcTx4, "TX &4"},      {pcTx6, "Tx &6\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Desktop d;
        SimWindowSystem::Peer p = d.AddWsjt();
        const PeerHandle control = c.slot == pcToRadio ? p.toRadio
                                   : c.slot == pcGenStd ? p.genStd
                                   : p.tx[c.slot - pcTx2 + 2];
        d.SetTextOf(control, c.text);
        EXPECT_FALSE(Find());
        EXPECT_EQ(PeerControls[c.slot], NoPeer);
        EXPECT_EQ(PeerControls[pcMain], p.main);
    }
}

TEST_F(DiscoveryTest, LaterOfTwoEqualCaptionsWins)
{
    SimWindowSystem::Peer p = desktop.AddWsjt();
    PeerHandle laterTx2 = desktop.AddChild(p.main, "Tx &2");  // after the panel's subtree
    EXPECT_TRUE(Find());
    EXPECT_EQ(PeerControls[pcTx2], laterTx2);
}

TEST_F(DiscoveryTest, RequiredControlsAreFoundAtAnyDepthAndOptionalOnesMayBeMissing)
{
    PeerHandle main = desktop.AddTop("WSJT 4.9.7");
    PeerHandle panel = main;
    for (int depth = 0; depth < 6; ++depth)
        panel = desktop.AddChild(panel, "");
    PeerHandle toRadio = desktop.AddChild(panel, "12345");
    PeerHandle genStd = desktop.AddChild(main, "&Gen Std Msgs");
    PeerHandle tx2 = desktop.AddChild(panel, "Tx &2");
    PeerHandle tx4 = desktop.AddChild(desktop.AddChild(main, "Frame"), "Tx &4");
    PeerHandle tx6 = desktop.AddChild(panel, "Tx &6");
    FillSlotsWithJunk();

    EXPECT_TRUE(Find());
    EXPECT_EQ(PeerControls[pcToRadio], toRadio);
    EXPECT_EQ(PeerControls[pcGenStd], genStd);
    EXPECT_EQ(PeerControls[pcTx2], tx2);
    EXPECT_EQ(PeerControls[pcTx4], tx4);
    EXPECT_EQ(PeerControls[pcTx6], tx6);
    for (PeerSlot optional : {pcAuto, pcLookup, pcTx3, pcTx5})
        EXPECT_EQ(PeerControls[optional], NoPeer) << "slot " << optional;
}

TEST_F(DiscoveryTest, AutoIsFoundInEitherCaption)
{
    for (const char* caption : {"&Auto is OFF", "&Auto is ON"}) {
        SCOPED_TRACE(caption);
        Desktop d;
        SimWindowSystem::Peer p = d.AddWsjt();
        d.SetTextOf(p.autoButton, caption);
        EXPECT_TRUE(Find());
        EXPECT_EQ(PeerControls[pcAuto], p.autoButton);
    }
}

TEST_F(DiscoveryTest, WindowsThatGoAwayBeforeTheyAreReadMatchNothing)
{
    SimWindowSystem::Peer gone = desktop.AddWsjt("WSJT 4.9.7 closing");
    SimWindowSystem::Peer p = desktop.AddWsjt();
    desktop.dieAfterEnumeration = gone.main;
    EXPECT_TRUE(Find());
    EXPECT_EQ(PeerControls[pcMain], p.main);

    desktop.dieAfterEnumeration = p.tx[4];
    EXPECT_FALSE(Find());
    EXPECT_EQ(PeerControls[pcTx4], NoPeer);
    EXPECT_EQ(PeerControls[pcTx2], p.tx[2]);
}

TEST_F(DiscoveryTest, EachSearchStartsFromFreshSlots)
{
    SimWindowSystem::Peer p = desktop.AddWsjt();
    ASSERT_TRUE(Find());

    // A run that ended without release leaves a callsign in the box.
    desktop.SetTextOf(p.toRadio, "Q9XYZ");
    EXPECT_FALSE(Find());
    EXPECT_EQ(PeerControls[pcToRadio], NoPeer);

    // WSJT closed and started again: nothing of the old window is kept.
    for (PeerHandle h : {p.main, p.toRadio, p.genStd, p.autoButton, p.lookup, p.tx[2], p.tx[3], p.tx[4],
                         p.tx[5], p.tx[6]})
        desktop.Kill(h);
    PeerHandle main = desktop.AddTop("WSJT 4.9.7");
    desktop.AddChild(main, "12345");
    EXPECT_FALSE(Find());
    EXPECT_EQ(PeerControls[pcMain], main);
    EXPECT_NE(PeerControls[pcToRadio], NoPeer);
    for (PeerSlot slot : {pcGenStd, pcAuto, pcLookup, pcTx2, pcTx3, pcTx4, pcTx5, pcTx6})
        EXPECT_EQ(PeerControls[slot], NoPeer) << "slot " << slot;
}

TEST(EnumCollect, AppendsInOrderAndAlwaysGoesOn)
{
    EXPECT_NE(EnumCollect(7, 0), 0);  // no list: nothing to fill
    std::vector<PeerHandle> list;
    const auto context = reinterpret_cast<std::intptr_t>(&list);
    EXPECT_EQ(EnumCollect(7, context), -1);
    EXPECT_EQ(EnumCollect(3, context), -1);
    EXPECT_EQ(list, (std::vector<PeerHandle>{7, 3}));
}
