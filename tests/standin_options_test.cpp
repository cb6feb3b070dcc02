// The stand-in's switches: those of the partners shape the last one given.
#include <gtest/gtest.h>

#include "tools/standin_options.h"

namespace {

StandInOptions Parse(std::vector<const char*> switches)
{
    switches.insert(switches.begin(), "standin_wsjt.exe");
    return ParseStandInOptions(static_cast<int>(switches.size()), switches.data());
}

}  // namespace

TEST(StandInOptions, PartnerSwitchesShapeTheLastPartnerGiven)
{
    const StandInOptions o = Parse({"/period", "2nd", "/txfirst", "/partner", "Q9XYZ", "/period", "1st", "/oncall",
                                    "/partner", "Q7PQR", "/behaviour", "never", "/period", "3rd", "/partner",
                                    "Q2AAA", "/misses", "2", "/period", "2nd", "/txfirststuck", "/period"});
    ASSERT_EQ(o.partners.size(), 3u);
    const struct { const char* call; PartnerPeriod period; bool onCall; int misses; } expected[] = {
        {"Q9XYZ", PartnerPeriod::First, true, 0},
        {"Q7PQR", PartnerPeriod::Any, false, 0},  // "3rd" is no period
        {"Q2AAA", PartnerPeriod::Second, false, 2},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].call);
        EXPECT_EQ(o.partners[i].partnerCall, expected[i].call);
        EXPECT_EQ(o.partners[i].period, expected[i].period);
        EXPECT_EQ(o.partners[i].waitsForCall, expected[i].onCall);
        EXPECT_EQ(o.partners[i].missesOneIn, expected[i].misses);
    }
    EXPECT_EQ(o.partners[1].behaviour, PartnerBehaviour::NeverAnswers);
    EXPECT_TRUE(o.txFirst);
    EXPECT_TRUE(o.txFirstStuck);
    EXPECT_TRUE(Parse({}).partners.empty());
    EXPECT_FALSE(Parse({}).txFirst);
    EXPECT_FALSE(Parse({}).txFirstStuck);
}
