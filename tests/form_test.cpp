// Window creation, the settings it loads, and the enable rules of the
// small click handlers.
#include <gtest/gtest.h>

#include "engine/run.h"
#include "tests/support/model_window.h"

namespace {

const std::string IniPath = "C:\\tavrix\\tavrix.ini";

void SetKey(ModelWindow& w, const std::string& key, const std::string& value)
{
    w.platform.ini[IniPath]["options"][FakePlatform::Lower(key)] = value;
}

}  // namespace

TEST(FormCreate, InitialisesTheRunState)
{
    ModelWindow w;
    w.form.run.FState = 7;
    w.form.run.LogOpen = true;
    w.form.FormCreate();

    EXPECT_EQ(w.form.run.FState, -1);
    EXPECT_FALSE(w.form.run.LogOpen);
    EXPECT_EQ(w.form.run.DecodedLines.size(), 0u);
    EXPECT_EQ(w.form.run.LogTokens, (std::array<std::string, 8>{"", "", "", "", " 27", "R27", "RRR", "73"}));
    EXPECT_EQ(w.form.run.Progression, (std::array<std::string, 5>{"", "27", "R27", "RRR", "73"}));
    EXPECT_EQ(w.form.run.PartnerCall, "");
    EXPECT_FALSE(w.form.run.CallList.has_value());
    EXPECT_FALSE(w.form.run.WinList);
    for (PeerHandle h : w.form.run.PeerControls)
        EXPECT_EQ(h, NoPeer);
    EXPECT_EQ(w.form.run.TickCount, 0);
    EXPECT_EQ(w.form.run.TickLimit, 0);
}

TEST(FormCreate, WithoutSettingsFileShowsTheDesignValues)
{
    ModelWindow w;
    w.form.FormCreate();
    EXPECT_EQ(w.feDecoded.text, "c:\\program files\\wsjt\\decoded.cum");
    EXPECT_EQ(w.feCSList.text, "c:\\program files\\wsjt\\call3a.txt");
    EXPECT_EQ(w.feLog.text, "c:\\program files\\wsjt\\tavrixlog.txt");
    EXPECT_EQ(w.eCS.text, "");
    EXPECT_EQ(w.eTLimit.value, 30);
    EXPECT_TRUE(w.cbCLDec.checked);
    EXPECT_TRUE(w.platform.messages.empty());
    // Enable states are those of the design, untouched.
    EXPECT_TRUE(w.eTRCS.enabled);
    EXPECT_FALSE(w.cbAutoCS.enabled);
    EXPECT_FALSE(w.dtpDelay.enabled);
}

TEST(FormCreate, ReadsTheKeysInOrderFromTheExecutablesFolder)
{
    ModelWindow w;
    w.platform.exeDir = "D:\\radio\\";
    w.form.FormCreate();
    EXPECT_EQ(w.platform.settingReads,
              (std::vector<std::string>{"Decoded", "CSList", "Log", "CS", "TLimit", "ClearDecoded", "Skeds",
                                        "FollowSkeds", "UdpServer", "UdpPort", "Rig"}));
    EXPECT_EQ(w.form.SettingsPath(), "D:\\radio\\tavrix.ini");
}

TEST(FormCreate, LoadsValuesAsStored)
{
    ModelWindow w;
    SetKey(w, "Decoded", "d:\\w\\decoded.cum");
    SetKey(w, "CSLIST", "d:\\w\\calls.txt");
    SetKey(w, "log", "\"d:\\my logs\\t.txt\"");
    SetKey(w, "CS", "q1abc");
    SetKey(w, "TLimit", "0x1E");
    SetKey(w, "ClearDecoded", "0");
    w.form.FormCreate();
    EXPECT_EQ(w.feDecoded.text, "d:\\w\\decoded.cum");
    EXPECT_EQ(w.feCSList.text, "d:\\w\\calls.txt");
    EXPECT_EQ(w.feLog.text, "d:\\my logs\\t.txt");  // quotes dropped by the reading rules
    EXPECT_EQ(w.eCS.text, "q1abc");                  // not upper-cased
    EXPECT_EQ(w.eTLimit.value, 30);
    EXPECT_FALSE(w.cbCLDec.checked);
}

TEST(FormCreate, EmptyValueIsNotTheDefault)
{
    ModelWindow w;
    SetKey(w, "Decoded", "");
    w.form.FormCreate();
    EXPECT_EQ(w.feDecoded.text, "");
    EXPECT_EQ(w.feLog.text, DesignLog);
}

TEST(FormCreate, TimeLimitAndFlagFallBackOnJunk)
{
    const struct { const char* tlimit; double minutes; const char* flag; bool ticked; } cases[] = {
        {"45", 45, "2", true},     {"$1E", 30, "0", false},      {"abc", 30, "true", true},
        {"12.5", 30, "", true},    {"", 30, "-1", true},         {"99999999999", 30, "x0", false},
        {"-5", -5, "0x0", false},
    };
    for (const auto& c : cases) {
        ModelWindow w;
        SetKey(w, "TLimit", c.tlimit);
        SetKey(w, "ClearDecoded", c.flag);
        w.form.FormCreate();
        EXPECT_EQ(w.eTLimit.value, c.minutes) << c.tlimit;
        EXPECT_EQ(w.cbCLDec.checked, c.ticked) << c.flag;
    }
}

TEST(FormCreate, TimeLimitDefaultIsTheBoxValueRounded)
{
    ModelWindow w;
    w.eTLimit.value = 2.5;
    w.form.FormCreate();
    EXPECT_EQ(w.eTLimit.value, 2);
}

TEST(ClickHandlers, ModeButtonsSwapPartnerBoxAutodetectAndList)
{
    ModelWindow w;
    w.form.FormCreate();
    w.SelectCQ(true);
    EXPECT_FALSE(w.eTRCS.enabled);
    EXPECT_TRUE(w.cbAutoCS.enabled);
    w.SelectCQ(true);  // already selected: nothing runs
    EXPECT_FALSE(w.eTRCS.enabled);
    EXPECT_TRUE(w.cbAutoCS.enabled);
    w.SelectCQ(false);
    EXPECT_TRUE(w.eTRCS.enabled);
    EXPECT_FALSE(w.cbAutoCS.enabled);
    EXPECT_FALSE(w.feCSList.enabled);  // the list box follows the mode
    w.SelectCQ(true);
    EXPECT_TRUE(w.feCSList.enabled);
}

TEST(ClickHandlers, TimePickersFollowTheirBoxes)
{
    ModelWindow w;
    w.form.FormCreate();
    w.ClickDelay(true);
    EXPECT_TRUE(w.dtpDelay.enabled);
    EXPECT_FALSE(w.dtpStop.enabled);
    w.ClickStop(true);
    EXPECT_TRUE(w.dtpStop.enabled);
    w.ClickDelay(false);
    EXPECT_FALSE(w.dtpDelay.enabled);
    w.ClickStop(false);
    EXPECT_FALSE(w.dtpStop.enabled);
}

TEST(FileName, DropsOnlyAnEnclosingPair)
{
    EXPECT_EQ(FileName("\"c:\\a b\\x.txt\""), "c:\\a b\\x.txt");
    EXPECT_EQ(FileName("\"c:\\x.txt"), "\"c:\\x.txt");
    EXPECT_EQ(FileName("\""), "\"");
    EXPECT_EQ(FileName("\"\""), "");
    EXPECT_EQ(FileName("c:\\a\"b\".txt"), "c:\\a\"b\".txt");
}
