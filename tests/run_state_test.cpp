#include <gtest/gtest.h>

#include "engine/run.h"
#include "tests/support/model_window.h"
#include "ui/settings.h"

TEST(RoundMinutes, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundMinutes(2.5), 2);
    EXPECT_EQ(RoundMinutes(3.5), 4);
    EXPECT_EQ(RoundMinutes(-2.5), -2);
    EXPECT_EQ(RoundMinutes(2.49), 2);
    EXPECT_EQ(RoundMinutes(2.51), 3);
    EXPECT_EQ(MinutesToSeconds(2.5), 120);
    EXPECT_EQ(MinutesToSeconds(3.5), 240);
    EXPECT_EQ(MinutesToSeconds(0), 0);
}

TEST(RoundMinutes, ClampsInsteadOfWrapping)
{
    EXPECT_EQ(MinutesToSeconds(99999999999.0), INT32_MAX);
    EXPECT_EQ(MinutesToSeconds(-99999999999.0), INT32_MIN);
    EXPECT_EQ(MinutesToSeconds(35791395), INT32_MAX);  // 35791395*60 > 2^31-1
    EXPECT_EQ(MinutesToSeconds(35791394), 35791394 * 60);
    EXPECT_EQ(RoundMinutes(1e300), INT32_MAX);
}
