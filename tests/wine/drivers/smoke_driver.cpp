// Proves the driver build and the Wine harness: the driver runs and sees a desktop.
#include <windows.h>

#include <gtest/gtest.h>

TEST(Harness, DesktopHasWindows)
{
    EXPECT_NE(GetDesktopWindow(), nullptr);
}
