#include <gtest/gtest.h>

#include "tests/support/model_window.h"
#include "ui/settings.h"

TEST(WholeNumber, AcceptsDecimalAndEveryHexPrefixWithSign)
{
    const struct { const char* text; std::int32_t value; } good[] = {
        {"45", 45},      {"0", 0},         {"+7", 7},        {"-7", -7},
        {"0x1E", 30},    {"0X1e", 30},     {"$1E", 30},      {"x1E", 30},
        {"X1E", 30},     {"-$1E", -30},    {"007", 7},       {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},        {"$7FFFFFFF", INT32_MAX},
    };
    for (const auto& c : good) {
        std::int32_t v = 12345;
        EXPECT_TRUE(ParseWholeNumber(c.text, v)) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
}

TEST(WholeNumber, RejectsJunkAndOutOfRangeLeavingTheValue)
{
    const char* bad[] = {"", "abc", "12.5", " 12", "12 ", "+", "-", "0x", "$", "x",
                         "1E", "true", "2147483648", "-2147483649", "99999999999",
                         "$80000000", "0x1G", "--1", "+-1", "1,5"};
    for (const char* text : bad) {
        std::int32_t v = 12345;
        EXPECT_FALSE(ParseWholeNumber(text, v)) << text;
        EXPECT_EQ(v, 12345) << text;
    }
    std::int32_t v = 0;
    EXPECT_FALSE(ParseWholeNumber(std::string("1\0" "2", 3), v));
}

TEST(Flag, AnyWholeNumberButZeroTicks)
{
    EXPECT_TRUE(ReadFlag("2", false));
    EXPECT_TRUE(ReadFlag("-1", false));
    EXPECT_FALSE(ReadFlag("0", true));
    EXPECT_FALSE(ReadFlag("$0", true));
    EXPECT_TRUE(ReadFlag("true", true));
    EXPECT_FALSE(ReadFlag("true", false));
    EXPECT_TRUE(ReadFlag("", true));
}
