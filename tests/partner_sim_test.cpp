// The simulated partner: its answers to each of our messages and its
// decoded.cum layout.
#include <gtest/gtest.h>

#include "tools/partner_sim.h"

namespace {

PartnerConfig Config(PartnerBehaviour b)
{
    PartnerConfig c;
    c.behaviour = b;
    c.noiseLines = 0;
    return c;
}

std::string Answer(PartnerSim& p, const std::string& heard)
{
    p.Hear(heard);
    auto m = p.NextMessages();
    return m.empty() ? std::string() : m.back();
}

}  // namespace

TEST(PartnerSim, WorksTheWholeExchange)
{
    PartnerSim p(Config(PartnerBehaviour::Normal));
    EXPECT_EQ(Answer(p, ""), "Q1ABC Q9XYZ");
    EXPECT_EQ(Answer(p, "Q9XYZ Q1ABC"), "Q1ABC Q9XYZ 27 27");
    EXPECT_EQ(Answer(p, "Q9XYZ Q1ABC 27 27"), "Q1ABC Q9XYZ R27 R27");
    EXPECT_EQ(Answer(p, "Q9XYZ Q1ABC R27 R27"), "RRRR RRRR Q9XYZ");
    EXPECT_EQ(Answer(p, "RRRR RRRR Q1ABC"), "73 Q9XYZ");
    EXPECT_FALSE(p.Done());
    EXPECT_EQ(Answer(p, "73 Q1ABC"), "73 Q9XYZ");
    EXPECT_TRUE(p.Done());
    EXPECT_EQ(Answer(p, "Q9XYZ Q1ABC"), "");  // done: silent, and never back to calling
    EXPECT_EQ(Answer(p, "CQ Q1ABC"), "");
}

TEST(PartnerSim, BehavioursThatGoWrong)
{
    PartnerSim never(Config(PartnerBehaviour::NeverAnswers));
    EXPECT_EQ(Answer(never, "Q9XYZ Q1ABC"), "");

    PartnerSim half(Config(PartnerBehaviour::StopsHalfway));
    EXPECT_EQ(Answer(half, "Q9XYZ Q1ABC 27 27"), "Q1ABC Q9XYZ R27 R27");
    EXPECT_EQ(Answer(half, "Q9XYZ Q1ABC R27 R27"), "");

    PartnerSim ahead(Config(PartnerBehaviour::OneStepAhead));
    EXPECT_EQ(Answer(ahead, "Q9XYZ Q1ABC"), "Q1ABC Q9XYZ R27 R27");
}

TEST(PartnerSim, CqCallerAnswersOnlyOurCq)
{
    PartnerSim listed(Config(PartnerBehaviour::CqListed));
    EXPECT_EQ(Answer(listed, ""), "");
    EXPECT_EQ(Answer(listed, "CQ Q7AAA"), "");  // somebody else's CQ
    for (const char* others : {"Q8AAA Q1ABC 27 27", "Q8AAA Q1ABC R27 R27", "RRRR RRRR Q1ABC", "73 Q1ABC"})
        EXPECT_EQ(Answer(listed, others), "") << others;  // another station's exchange
    EXPECT_EQ(Answer(listed, "CQ Q1ABC"), "Q1ABC Q9XYZ");
    EXPECT_EQ(Answer(listed, "Q9XYZ Q1ABC 27 27"), "Q1ABC Q9XYZ R27 R27");

    PartnerSim repeats(Config(PartnerBehaviour::CqRepeats));
    EXPECT_EQ(Answer(repeats, "CQ Q1ABC"), "Q1ABC Q9XYZ Q9XYZ");
}

// A night's partners: each answers only its own sked; one misses periods.
TEST(PartnerSim, SchedulePartnerWaitsForItsCallAndMissesPeriods)
{
    PartnerConfig config = Config(PartnerBehaviour::Normal);
    config.waitsForCall = true;
    config.missesOneIn = 2;
    PartnerSim p(config);
    EXPECT_EQ(Answer(p, "Q7PQR Q1ABC"), "");  // another partner's sked
    EXPECT_EQ(Answer(p, "Q9XYZ Q1ABC"), "");  // our second period: missed
    EXPECT_EQ(Answer(p, "Q9XYZ Q1ABC"), "Q1ABC Q9XYZ 27 27");
}

TEST(PartnerSim, DecodeLinesFollowTheFileLayout)
{
    for (std::uint32_t v : {0u, 7u, 12345u, 0xFFFFFFFFu}) {
        const std::string line = DecodeLine(6, 15, 30, "Q1ABC Q9XYZ", v);
        EXPECT_EQ(line.size(), 79u);
        EXPECT_EQ(line.substr(0, 6), "061530");
        EXPECT_EQ(line.substr(32, 11), "Q1ABC Q9XYZ");
        EXPECT_EQ(line[31], ' ');
    }
    EXPECT_EQ(DecodeLine(0, 0, 0, std::string(100, 'A')).size(), 132u);
}
