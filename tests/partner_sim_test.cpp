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

// Each partner's seconds of the minute for hearing us and for writing its
// decodes; a partner with a period keeps to it whatever /fast says.
TEST(PartnerSim, TurnsKeepToThePeriod)
{
    using Seconds = std::vector<int>;
    const struct { PartnerPeriod period; bool fast; Seconds hear, decode; } cases[] = {
        {PartnerPeriod::Any, false, {0}, {31}},
        {PartnerPeriod::Any, true, {1, 31}, {1, 31}},
        {PartnerPeriod::First, false, {0}, {31}},
        {PartnerPeriod::First, true, {0}, {31}},
        {PartnerPeriod::Second, false, {30}, {1}},
        {PartnerPeriod::Second, true, {30}, {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.period) << " fast " << c.fast);
        Seconds hear, decode;
        for (int s = 0; s < 60; ++s) {
            if (TurnAt(c.period, c.fast, s).hear)
                hear.push_back(s);
            if (TurnAt(c.period, c.fast, s).decode)
                decode.push_back(s);
        }
        EXPECT_EQ(hear, c.hear);
        EXPECT_EQ(decode, c.decode);
        // Written a second after the period ends, stamped with its start.
        for (int s : decode)
            EXPECT_EQ((s - DecodeDelay + 60) % 30, 0);
    }
}

TEST(PartnerSim, HearsUsOnlyInTheOtherPeriod)
{
    const struct { PartnerPeriod period; bool weFirst, hears; } cases[] = {
        {PartnerPeriod::Any, false, true},    {PartnerPeriod::Any, true, true},
        {PartnerPeriod::First, false, true},  {PartnerPeriod::First, true, false},
        {PartnerPeriod::Second, false, false}, {PartnerPeriod::Second, true, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HearsUs(c.period, c.weFirst), c.hears) << static_cast<int>(c.period) << " " << c.weFirst;

    const struct { const char* text; bool ok; PartnerPeriod period; } names[] = {
        {"1st", true, PartnerPeriod::First}, {"2nd", true, PartnerPeriod::Second},
        {"first", false, PartnerPeriod::Any}, {"2ND", false, PartnerPeriod::Any}, {"", false, PartnerPeriod::Any},
    };
    for (const auto& n : names) {
        PartnerPeriod period = PartnerPeriod::Any;
        EXPECT_EQ(ParsePartnerPeriod(n.text, period), n.ok) << n.text;
        EXPECT_EQ(period, n.period) << n.text;
    }
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
