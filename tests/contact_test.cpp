// Whole contacts on a simulated clock: the run clock scans, the scanner
// follows the simulated partner, WSJT's buttons are pressed in turn.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/on_air.h"

namespace {

struct Contact : OnAir {
    std::vector<int> states;  // every state the run went through, in order
    void Track()
    {
        if (states.empty() || states.back() != w.form.run.FState)
            states.push_back(w.form.run.FState);
    }
    bool Reaches(int state, int limit)
    {
        return RunUntil([&] { Track(); return w.form.run.FState == state; }, limit);
    }
    static constexpr const char* Adif = "c:\\program files\\wsjt\\tavrix.adi";
    int Records()
    {
        const std::string& adif = platform.files[Adif];
        int records = 0;
        for (std::size_t at = adif.find("<EOR>"); at != std::string::npos; at = adif.find("<EOR>", at + 1))
            ++records;
        return records;
    }
};

}  // namespace

TEST_F(Contact, SkedContactRunsToTheEnd)
{
    At(10, 0, 10);
    w.eTRCS.text = "Q9XYZ";
    w.eCS.text = "Q1ABC";
    w.form.bRunClick();
    ASSERT_TRUE(Reaches(4, 15 * 60)) << ::testing::PrintToString(states);
    EXPECT_EQ(states.front(), 0);
    EXPECT_EQ(station.selected, 5);
    for (std::size_t i = 1; i < states.size(); ++i)
        EXPECT_GT(states[i], states[i - 1]);  // a scan never lowers the state

    // Every partner line is in the log once, in order; noise that matches
    // no marker is not.
    const std::string log = platform.files[Log];
    for (const std::string& line : sentLines) {
        const std::string message = line.substr(32);
        const bool relevant = message.find("Q9X") != std::string::npos || message.find("Q1A") != std::string::npos ||
                              message.find("73") != std::string::npos || message.find("RRR") != std::string::npos;
        const auto at = log.find(line + "\r\n");
        if (relevant) {
            EXPECT_NE(at, std::string::npos) << line;
        }
        if (at != std::string::npos) {
            EXPECT_EQ(log.find(line + "\r\n", at + 1), std::string::npos) << line;
        }
    }

    // One record for the contact, however often its 73 is decoded again.
    EXPECT_EQ(Records(), 1);
    EXPECT_NE(platform.files[Adif].find("<CALL:5>Q9XYZ "), std::string::npos);

    // 240 seconds after the last step the run calls again.
    ASSERT_TRUE(Reaches(0, 300));
    EXPECT_EQ(Records(), 1);
    EXPECT_EQ(station.desktop.TextOf(station.peer.toRadio), "Q9XYZ");

    // The same partner worked again in the same run is a repeat: no second
    // record, and the log says so.
    SetPartner(PartnerConfig{});
    ASSERT_TRUE(Reaches(4, 15 * 60));
    EXPECT_EQ(Records(), 1);
    EXPECT_NE(platform.files[Log].find(" UTC Q9XYZ completed again in this run: a repeat, no second record\r\n"),
              std::string::npos);
}

TEST_F(Contact, PartnerThatStopsHalfwayTimesOutToCalling)
{
    PartnerConfig c;
    c.behaviour = PartnerBehaviour::StopsHalfway;
    SetPartner(c);
    w.eTLimit.value = 3;
    At(10, 0, 10);
    w.eTRCS.text = "Q9XYZ";
    w.eCS.text = "Q1ABC";
    w.form.bRunClick();
    ASSERT_TRUE(Reaches(3, 10 * 60));
    ASSERT_TRUE(Reaches(0, 5 * 60));
}

TEST_F(Contact, CQContactWithAListedCaller)
{
    PartnerConfig c;
    c.behaviour = PartnerBehaviour::CqListed;
    SetPartner(c);
    At(10, 0, 10);
    StartCQ("Q2AAA\r\nQ9XYZ,JO22\r\n");
    EXPECT_EQ(station.desktop.TextOf(station.peer.toRadio), "CQ");
    ASSERT_TRUE(Reaches(4, 15 * 60)) << ::testing::PrintToString(states);
    EXPECT_EQ(station.desktop.TextOf(station.peer.toRadio), "Q9XYZ");
    EXPECT_NE(platform.files[Adif].find("<CALL:5>Q9XYZ "), std::string::npos);
    EXPECT_NE(platform.files[Adif].find("<COMMENT:21>Tavrix unattended, CQ"), std::string::npos);
}

TEST_F(Contact, CQContactWithAnAutodetectedCaller)
{
    PartnerConfig c;
    c.behaviour = PartnerBehaviour::CqRepeats;
    c.partnerCall = "Q8KLMN";
    c.noiseLines = 0;
    SetPartner(c);
    At(10, 0, 10);
    StartCQ("Q2AAA\r\n");
    ASSERT_TRUE(Reaches(4, 15 * 60)) << ::testing::PrintToString(states);
    EXPECT_EQ(station.desktop.TextOf(station.peer.toRadio), "Q8KLMN");
}

// WSJT stamps in UTC whatever the computer's zone, here UTC+7, while the
// delayed start keeps local time. DecodeStamps=Local (any case) is for a
// WSJT that stamps in local time. {key, WSJT stamps local, completes}
struct ContactInZone : Contact, ::testing::WithParamInterface<std::tuple<const char*, bool, bool>> {};

TEST_P(ContactInZone, CompletesWhenTheStampsAreReadOnWsjtsClock)
{
    const auto [key, wsjtStampsLocal, completes] = GetParam();
    platform.zoneSeconds = 7 * 3600;
    platform.ini[Ini]["options"]["decodestamps"] = key;
    localStamps = wsjtStampsLocal;
    At(10, 0, 10);
    w.ClickDelay(true);
    w.dtpDelay.SetTime(10, 1);
    StartSked("Q9XYZ");
    ASSERT_TRUE(RunUntil([&] { return run.FState == 0; }, 120));
    EXPECT_EQ(now, 10 * 3600 + 61) << "the delayed start keeps local time";
    EXPECT_EQ(Reaches(4, 10 * 60), completes) << ::testing::PrintToString(states);
}

INSTANTIATE_TEST_SUITE_P(UtcPlus7, ContactInZone,
                         ::testing::Values(std::tuple{"", false, true}, std::tuple{" LOCAL ", true, true},
                                           std::tuple{"Local", false, false}, std::tuple{"UTC", true, false}));
