// The numeric box's typing rule, reading and the two ways it shows a value;
// and the quoting of a name chosen in a file-name box's dialog.
#include <gtest/gtest.h>

#include "ui/number_text.h"
#include "ui/sfmMain.h"

TEST(NumberText, TypingKeepsANumberWithAtMostTwoDecimals)
{
    const struct { const char* text; bool accepted; } cases[] = {
        {"", true},      {"-", true},      {"30", true},     {"-12", true},   {"2.5", true},
        {"2,5", true},   {"2.55", true},   {",", true},      {"-.", true},    {"5.", true},
        {"2.555", false}, {"1.2.3", false}, {"1,2.3", false}, {"--1", false}, {"1-", false},
        {"+1", false},   {" 1", false},    {"1 ", false},    {"1e5", false},  {"0x1E", false},
        {"1,234", false},  // three decimals, not digit grouping, while editing
        {"\xb5", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AcceptsNumberText(c.text), c.accepted) << '"' << c.text << '"';
}

TEST(NumberText, ReadsEitherSeparatorAndUnfinishedTextAsZero)
{
    const struct { const char* text; double value; } cases[] = {
        {"", 0},    {"-", 0},      {",", 0},     {"-.", 0},        {"30", 30},
        {"2,5", 2.5}, {"2.5", 2.5}, {"-0,75", -0.75}, {".5", 0.5}, {"5.", 5},
        {"99999999999", 99999999999.0},
    };
    for (const auto& c : cases) {
        double value = -1;
        EXPECT_TRUE(ParseNumberText(c.text, value)) << c.text;
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
    double untouched = 7;
    EXPECT_FALSE(ParseNumberText("1.234", untouched));
    EXPECT_FALSE(ParseNumberText("abc", untouched));
    EXPECT_EQ(untouched, 7);
}

TEST(NumberText, ShowsGroupedWholeNumbersWithoutTheFocus)
{
    const struct { double value; const char* sep; const char* shown; } cases[] = {
        {30, ",", "30"},          {0, ",", "0"},           {-0.4, ",", "0"},
        {999, ",", "999"},        {1000, ",", "1,000"},    {1234567, ",", "1,234,567"},
        {-1234, ",", "-1,234"},   {1234567, "\xa0", "1\xa0" "234\xa0" "567"},
        {2.5, ",", "2"},          {3.5, ",", "4"},          {2.51, ",", "3"},  // as minutes are rounded
        {1e300 * 1e10, ",", "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatGrouped(c.value, c.sep), c.shown) << c.value;
}

TEST(NumberText, ShowsUpToTwoDecimalsWhileEditing)
{
    const struct { double value; char decimal; const char* shown; } cases[] = {
        {0, '.', ""},     {30, '.', "30"},   {2.5, ',', "2,5"},  {2.25, '.', "2.25"},
        {-1.1, '.', "-1.1"}, {2.999, '.', "3"}, {0.001, '.', ""},  {1234567, '.', "1234567"},
    };
    for (const auto& c : cases) {
        const std::string shown = FormatForEditing(c.value, c.decimal);
        EXPECT_EQ(shown, c.shown) << c.value;
        EXPECT_TRUE(AcceptsNumberText(shown)) << shown;  // the operator can go on typing
    }
}

TEST(ChosenFileText, QuotesANameWithABlankOnce)
{
    EXPECT_EQ(ChosenFileText("c:\\program files\\wsjt\\decoded.cum"), "\"c:\\program files\\wsjt\\decoded.cum\"");
    EXPECT_EQ(ChosenFileText("c:\\wsjt\\decoded.cum"), "c:\\wsjt\\decoded.cum");
    EXPECT_EQ(ChosenFileText("\"c:\\a b\\x.txt\""), "\"c:\\a b\\x.txt\"");
    EXPECT_EQ(ChosenFileText(""), "");
    EXPECT_EQ(FileName(ChosenFileText("c:\\a b\\x.txt")), "c:\\a b\\x.txt");
}
