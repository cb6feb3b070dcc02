// Starts the real tavrix.exe, with and without a tavrix.ini beside it, and
// checks from this second process, through window messages only, what the
// operator sees: captions, design values, loaded settings, enable rules,
// tab order and places.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/wine/drivers/running_tavrix.h"
#include "tools/desk_win32.h"
#include "ui/sfmMain_win32.h"
#include "ui/skeds.h"

namespace {

using namespace window_test;

TEST(Window, OpensWithTheDesignValuesAndClosesAtOnceWhenIdle)
{
    RunningTavrix tavrix("design", nullptr);
    ASSERT_NE(tavrix.main, nullptr);

    RECT client;
    GetClientRect(tavrix.main, &client);
    EXPECT_EQ(client.right, 483);  // its height is the status bar's test
    RECT frame;
    GetWindowRect(tavrix.main, &frame);
    EXPECT_EQ(frame.left, 404);
    EXPECT_EQ(frame.top, 188);

    const struct { int id; const char* text; bool enabled; int checked; } controls[] = {
        {ID_rbSKED, "Sked    to radio", true, 1},
        {ID_eTRCS, "", true, -1},
        {ID_rbCQ, "CQ", true, 0},
        {ID_cbAutoCS, "Autodetect CS", false, 1},
        {ID_bRun, "START", true, -1},
        {ID_cbDelay, "Delay start until", true, 0},
        {ID_dtpDelay, "12:00", false, -1},
        {ID_cbStop, "Stop at", true, 0},
        {ID_dtpStop, "17:00", false, -1},
        {ID_feDecoded, "c:\\program files\\wsjt\\decoded.cum", true, -1},
        {ID_feCSList, "c:\\program files\\wsjt\\call3a.txt", true, -1},
        {ID_feLog, "c:\\program files\\wsjt\\tavrixlog.txt", true, -1},
        {ID_feDecodedBrowse, "...", true, -1},
        {ID_eCS, "", true, -1},
        {ID_eTLimit, "30", true, -1},
        {ID_cbCLDec, "Clear decoded.cum", true, 1},
        {ID_cbUdp, "Send contacts to loggers (UDP)", true, 1},
        {ID_eUdpServer, "127.0.0.1", true, -1},
        {ID_eUdpPort, "2237", true, -1},
        {ID_Label1, "Decoded.cum file", true, -1},
        {ID_Label2, "CS List", true, -1},
        {ID_Label3, "Log file", true, -1},
        {ID_Label4, "My CS", true, -1},
        {ID_Label5, "Time limit (minutes)", true, -1},
        {ID_bSkedAdd, "Add...", true, -1},
        {ID_bSkedEdit, "Edit...", true, -1},
        {ID_bSkedDelete, "Delete", true, -1},
        {ID_bSkedReport, "Report", true, -1},
        {ID_cbFollow, "Follow the skeds", true, 0},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tavrix.Text(c.id), c.text);
        EXPECT_EQ(tavrix.Enabled(c.id), c.enabled);
        if (c.checked >= 0) {
            EXPECT_EQ(tavrix.Checked(c.id), c.checked == 1);
        }
    }
    // The Run page is shown first.
    EXPECT_TRUE(IsWindowVisible(tavrix.Control(ID_bRun)));
    EXPECT_FALSE(IsWindowVisible(tavrix.Control(ID_eCS)));

    EXPECT_TRUE(tavrix.Close());
    EXPECT_EQ(tavrix.ExitCode(), 0u);
}

// A control's place in the main window's client area.
RECT PlaceIn(HWND main, HWND control)
{
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

TEST(Window, StatusBarRunsUnderThePageControlAndReadsIdle)
{
    RunningTavrix tavrix("status", nullptr);
    ASSERT_NE(tavrix.main, nullptr);
    const HWND bar = tavrix.Control(ID_StatusBar);
    ASSERT_NE(bar, nullptr);
    char windowClass[64] = "";
    GetClassNameA(bar, windowClass, sizeof windowClass);
    EXPECT_STREQ(windowClass, "msctls_statusbar32");
    EXPECT_EQ(GetParent(bar), tavrix.main) << "on a page it would be hidden with it";
    EXPECT_TRUE(IsWindowVisible(bar));

    // The page control keeps its place; the window grew by the bar below it.
    const RECT pages = PlaceIn(tavrix.main, tavrix.Control(ID_PageControl1));
    EXPECT_EQ(pages.left, 0);
    EXPECT_EQ(pages.top, 0);
    EXPECT_EQ(pages.right, 483);
    EXPECT_EQ(pages.bottom, 245);
    RECT client;
    GetClientRect(tavrix.main, &client);
    const RECT place = PlaceIn(tavrix.main, bar);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 245);
    EXPECT_EQ(place.right, 483);
    EXPECT_EQ(place.bottom, client.bottom);
    EXPECT_GE(place.bottom - place.top, 15) << "high enough for its text";

    EXPECT_EQ(StatusBarText(bar), "Idle");
}

struct IniCase {
    const char* name;
    std::string ini;
    std::vector<std::pair<int, std::string>> texts;
    bool clearDecoded;
};

std::vector<IniCase> IniCases()
{
    const std::string longValue(3000, 'a');
    return {
        {"quoted_empty_missing",
         "[Options]\r\nDecoded=\"d:\\my files\\decoded.cum\"\r\nCSList=\r\nLog=  'e:\\log.txt'  \r\n"
         "TLimit=0x1E\r\nClearDecoded=0\r\n",
         {{ID_feDecoded, "d:\\my files\\decoded.cum"}, {ID_feCSList, ""}, {ID_feLog, "e:\\log.txt"},
          {ID_eCS, ""}, {ID_eTLimit, "30"}},
         false},
        {"case_and_grouping",
         "; comment\r\n[other]\r\nTLimit=5\r\n[OPTIONS]\r\ncs=q1abc\r\ntlimit=1234567\r\nClearDecoded=true\r\n",
         {{ID_eCS, "q1abc"}, {ID_eTLimit, "1,234,567"}, {ID_feDecoded, "c:\\program files\\wsjt\\decoded.cum"}},
         true},
        {"out_of_range_and_junk",
         "\x01\xff junk line\r\n[Options]\r\nTLimit=99999999999\r\nClearDecoded=2\r\nCS=\xc4\xe0\xf1\r\n"
         "Log=" + longValue + "\r\n",
         {{ID_eTLimit, "30"}, {ID_eCS, "\xc4\xe0\xf1"}, {ID_feLog, std::string(2047, 'a')}},
         true},
        {"negative_and_dollar",
         "[Options]\nTLimit=-$2D\nClearDecoded=0x0\nDecoded=c:\\d.cum",
         {{ID_eTLimit, "-45"}, {ID_feDecoded, "c:\\d.cum"}},
         false},
        {"not_a_number",
         "[Options]\r\nTLimit=12.5\r\nClearDecoded=\r\n",
         {{ID_eTLimit, "30"}},
         true},
    };
}

TEST(Window, LoadsTheSettingsFileBesideTheExecutable)
{
    for (const IniCase& c : IniCases()) {
        SCOPED_TRACE(c.name);
        RunningTavrix tavrix(c.name, &c.ini);
        ASSERT_NE(tavrix.main, nullptr);
        for (const auto& [id, text] : c.texts)
            EXPECT_EQ(tavrix.Text(id), text) << "control " << id;
        EXPECT_EQ(tavrix.Checked(ID_cbCLDec), c.clearDecoded);
    }
}

TEST(Window, ClickHandlersKeepTheEnableRules)
{
    RunningTavrix tavrix("clicks", nullptr);
    ASSERT_NE(tavrix.main, nullptr);

    tavrix.Click(ID_rbCQ);
    EXPECT_TRUE(tavrix.Checked(ID_rbCQ));
    EXPECT_FALSE(tavrix.Checked(ID_rbSKED));
    EXPECT_FALSE(tavrix.Enabled(ID_eTRCS));
    EXPECT_TRUE(tavrix.Enabled(ID_cbAutoCS));
    tavrix.Click(ID_rbCQ);  // already selected: the handler must not run again
    EXPECT_FALSE(tavrix.Enabled(ID_eTRCS));
    EXPECT_TRUE(tavrix.Enabled(ID_cbAutoCS));
    tavrix.Click(ID_rbSKED);
    EXPECT_TRUE(tavrix.Checked(ID_rbSKED));
    EXPECT_FALSE(tavrix.Checked(ID_rbCQ));
    EXPECT_TRUE(tavrix.Enabled(ID_eTRCS));
    EXPECT_FALSE(tavrix.Enabled(ID_cbAutoCS));

    for (auto [box, picker] : {std::pair{ID_cbDelay, ID_dtpDelay}, std::pair{ID_cbStop, ID_dtpStop}}) {
        tavrix.Click(box);
        EXPECT_TRUE(tavrix.Checked(box));
        EXPECT_TRUE(tavrix.Enabled(picker));
        tavrix.Click(box);
        EXPECT_FALSE(tavrix.Enabled(picker));
    }
}

TEST(Window, TimeLimitBoxTakesOnlyNumberTexts)
{
    RunningTavrix tavrix("typing", nullptr);
    ASSERT_NE(tavrix.main, nullptr);
    HWND box = tavrix.Control(ID_eTLimit);
    SendMessageA(box, EM_SETSEL, 0, -1);
    for (char c : std::string("-4x5,5 5.5"))
        SendMessageA(box, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
    EXPECT_EQ(tavrix.Text(box), "-45,55");  // the letter, the blank, a third decimal and a second separator refused
}

// The children of a page in z-order, which is the dialog manager's tab order.
std::vector<int> TabStops(HWND page)
{
    std::vector<int> ids;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP)
            ids.push_back(GetDlgCtrlID(child));
    return ids;
}

TEST(Window, TabOrderAndPlacesFollowTheDesign)
{
    RunningTavrix tavrix("layout", nullptr);
    ASSERT_NE(tavrix.main, nullptr);
    EXPECT_EQ(TabStops(tavrix.Control(ID_tsRun)),
              (std::vector<int>{ID_rbSKED, ID_eTRCS, ID_rbCQ, ID_bRun, ID_cbDelay, ID_dtpDelay, ID_cbAutoCS,
                                ID_cbStop, ID_dtpStop}));
    EXPECT_EQ(TabStops(tavrix.Control(ID_tsOptions)),
              (std::vector<int>{ID_feDecoded, ID_feCSList, ID_feLog, ID_eCS, ID_eTLimit, ID_cbCLDec, ID_cbUdp,
                                ID_eUdpServer, ID_eUdpPort, ID_eRig, ID_bRigTest}));
    EXPECT_EQ(TabStops(tavrix.Control(ID_tsSkeds)),
              (std::vector<int>{ID_lvSkeds, ID_bSkedAdd, ID_bSkedEdit, ID_bSkedDelete, ID_bSkedReport, ID_cbFollow}));

    // Places within the page at 96 dpi; a file-name box is its edit and its
    // browse button together.
    const struct { int id; int page; RECT place; int browse; } places[] = {
        {ID_rbSKED, ID_tsRun, {8, 16, 129, 17}, 0},
        {ID_eTRCS, ID_tsRun, {140, 11, 121, 28}, 0},
        {ID_bRun, ID_tsRun, {8, 77, 75, 33}, 0},
        {ID_dtpStop, ID_tsRun, {232, 92, 118, 27}, 0},
        {ID_feDecoded, ID_tsOptions, {90, 3, 303, 21}, ID_feDecodedBrowse},
        {ID_feLog, ID_tsOptions, {48, 50, 346, 21}, ID_feLogBrowse},
        {ID_eTLimit, ID_tsOptions, {264, 74, 98, 21}, 0},
        {ID_cbCLDec, ID_tsOptions, {8, 100, 153, 17}, 0},
        {ID_cbUdp, ID_tsOptions, {8, 126, 220, 17}, 0},
        {ID_eUdpPort, ID_tsOptions, {264, 148, 60, 21}, 0},
        {ID_lvSkeds, ID_tsSkeds, {4, 4, 468, 154}, 0},
        {ID_bSkedDelete, ID_tsSkeds, {136, 162, 62, 25}, 0},
        {ID_lSkedNote, ID_tsSkeds, {6, 191, 466, 28}, 0},
    };
    for (const auto& p : places) {
        SCOPED_TRACE(p.id);
        RECT page, control;
        GetWindowRect(tavrix.Control(p.page), &page);
        GetWindowRect(tavrix.Control(p.id), &control);
        if (p.browse) {
            RECT button;
            GetWindowRect(tavrix.Control(p.browse), &button);
            EXPECT_EQ(button.left, control.right);
            control.right = button.right;
        }
        EXPECT_EQ(control.left - page.left, p.place.left);
        EXPECT_EQ(control.top - page.top, p.place.top);
        EXPECT_EQ(control.right - control.left, p.place.right);
        EXPECT_EQ(control.bottom - control.top, p.place.bottom);
        EXPECT_LE(control.right, page.right) << "clipped by the page";
        EXPECT_LE(control.bottom, page.bottom) << "clipped by the page";
    }
}

// The top-level dialog of a process with that title, or null.
HWND FindDialog(HWND main, const char* title)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    for (int i = 0; i < 100; ++i, Sleep(100)) {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            char text[64] = "";
            GetWindowTextA(w, text, sizeof text);
            if (owner == pid && IsWindowVisible(w) && std::string(text) == title)
                return w;
        }
    }
    return nullptr;
}

// Browse opens the file dialog, its DLL loaded at the first click.
TEST(Window, BrowseOpensTheFileDialogAndCancelKeepsTheName)
{
    RunningTavrix tavrix("browse", nullptr);
    ASSERT_NE(tavrix.main, nullptr);
    PostMessageA(tavrix.Control(ID_feDecodedBrowse), BM_CLICK, 0, 0);
    HWND dialog = FindDialog(tavrix.main, "Decoded.cum file");
    ASSERT_NE(dialog, nullptr);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    for (int i = 0; i < 50 && IsWindow(dialog); ++i)
        Sleep(100);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(tavrix.Text(ID_feDecoded), "c:\\program files\\wsjt\\decoded.cum");
}

TEST(Window, SkedsPageShowsTheFileAndItsDialogChecksWhatIsTyped)
{
    const std::string night = WinePath(Env("TEST_DIR")) + "\\night.txt";
    std::ofstream(night, std::ios::binary) << "# two skeds\r\n2020-01-01 10:00 11:00 Q9XYZ\r\n\r\n2099-01-01 23:30 00:30 cq\r\n";
    const std::string ini = "[Options]\r\nSkeds=" + night + "\r\nFollowSkeds=1\r\n";
    RunningTavrix tavrix("skeds", &ini);
    ASSERT_NE(tavrix.main, nullptr);
    EXPECT_TRUE(tavrix.Checked(ID_cbFollow));
    EXPECT_EQ(tavrix.Text(ID_lSkedNote), "Times in UTC. " + night);
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(ListViewRows(tavrix.Control(ID_lvSkeds), SkedColumnCount),
              (Rows{{"2020-01-01", "10:00", "11:00", "Q9XYZ", "as WSJT", "", "past"},
                    {"2099-01-01", "23:30", "00:30", "CQ", "as WSJT", "", "next"}}));

    // Posted: the dialog's own message loop holds a sent click until it closes.
    PostMessageA(tavrix.Control(ID_bSkedAdd), BM_CLICK, 0, 0);
    HWND dialog = FindDialog(tavrix.main, "Add a sked");
    ASSERT_NE(dialog, nullptr);
    auto press = [&](int id) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    };
    SetDlgItemTextA(dialog, IDC_SKED_STATION, "Q5 LMN");
    press(IDOK);
    EXPECT_EQ(tavrix.Text(GetDlgItem(dialog, IDC_SKED_PROBLEM)), "Station must be one word, without blanks.");
    SetDlgItemTextA(dialog, IDC_SKED_STATION, "q5lmn");
    SendMessageA(GetDlgItem(dialog, IDC_SKED_PERIOD), CB_SETCURSEL, 2, 0);  // 2nd
    press(IDOK);
    for (int i = 0; i < 50 && IsWindow(dialog); ++i)
        Sleep(100);
    EXPECT_FALSE(IsWindow(dialog));

    // Written whole beside the old one and moved over it, comments kept.
    const Rows rows = ListViewRows(tavrix.Control(ID_lvSkeds), SkedColumnCount);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2][ColStation], "Q5LMN");
    EXPECT_EQ(rows[2][ColPeriod], "2nd");
    std::ifstream in(night, std::ios::binary);
    const std::string now{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(now.rfind("# two skeds\r\n2020-01-01 10:00 11:00 Q9XYZ\r\n\r\n2099-01-01", 0), 0u) << now;
    EXPECT_EQ(now.substr(now.size() - 12), " Q5LMN 2nd\r\n");
    EXPECT_EQ(GetFileAttributesA((night + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
