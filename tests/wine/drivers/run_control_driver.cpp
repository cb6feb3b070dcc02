// The operator's side of run control, against the real tavrix.exe and the
// stand-in WSJT: START and STOP, the settings file they leave, every message
// START can show (read as Unicode), the close question, and the activity log
// across runs and restarts.
#include "tests/wine/drivers/operator.h"

using namespace op;

namespace {

constexpr DWORD StartWaitMs = 15000;
// A scan comes at seconds 5 and 35; a little more than one period covers it.
constexpr DWORD ScanWaitMs = 40000;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Waits until the journal gets an event beginning with `prefix` after event `since`.
bool WaitForPressAfter(const StandIn& wsjt, std::size_t since, const std::string& prefix, DWORD waitMs)
{
    return WaitFor([&] {
        for (const std::string& e : wsjt.JournalSince(since))
            if (e.compare(0, prefix.size(), prefix) == 0)
                return true;
        return false;
    }, waitMs, 200);
}

std::string OptionsIni(const std::string& dir)
{
    return "[Options]\r\nDecoded=" + WinePath(dir + "/decoded.cum") + "\r\nLog=" + WinePath(dir + "/log.txt") +
           "\r\nCS=Q1ABC\r\nClearDecoded=0\r\n";
}

TEST(RunControl, StartAndStopWorkTheStandInAndKeepTheSettingsFile)
{
    const std::string dir = TestDir() + "/startstop";
    const std::string decoded = WinePath(dir + "/decoded.cum"), log = WinePath(dir + "/log.txt");
    const std::string before = "; the operator's own notes\r\n[Station]\r\nRig=IC-706\r\n";
    const std::string after = "[Later]\r\nNote=last section\r\n";
    const std::string ini = before + "[Options]\r\nDecoded=" + decoded + "\r\nUnknown=kept as it was\r\n"
                            "CS=q1abc\r\nLog=" + log + "\r\nTLimit=0x0C\r\n" + after;
    StandIn wsjt("startstop", "");
    ASSERT_TRUE(wsjt.Running());
    Tavrix tavrix("startstop", ini);
    ASSERT_NE(tavrix.main, nullptr);

    tavrix.SetText(ID_eTRCS, "q9xyz");
    tavrix.PressRun();
    ASSERT_TRUE(tavrix.WaitCaption("STOP", StartWaitMs));
    EXPECT_TRUE(wsjt.WaitForEvent("press &Auto is OFF tx=1 auto=off", StartWaitMs));
    EXPECT_EQ(wsjt.Journal(), CallEvents("Q9XYZ"));
    EXPECT_EQ(tavrix.Text(ID_eTRCS), "Q9XYZ");
    EXPECT_EQ(tavrix.Text(ID_eCS), "Q1ABC");
    EXPECT_FALSE(tavrix.Enabled(ID_feDecoded));
    EXPECT_FALSE(tavrix.Enabled(ID_rbCQ));
    EXPECT_FALSE(tavrix.Enabled(ID_eTRCS)) << "the partner box is locked during a run";
    EXPECT_TRUE(tavrix.WaitStatus("Calling Q9XYZ", 3000)) << tavrix.Status();
    EXPECT_TRUE(tavrix.Boxes().empty());

    // The settings are written last in START; the file is read as bytes.
    std::string saved;
    WaitFor([&] { saved = ReadFileBytes(tavrix.IniPath()); return Has(saved, "ClearDecoded="); }, 5000);
    EXPECT_EQ(saved.compare(0, before.size(), before), 0) << saved;
    EXPECT_EQ(saved.substr(saved.size() - std::min(saved.size(), after.size())), after) << saved;
    for (const std::string& line : std::vector<std::string>{"Decoded=" + decoded, "Unknown=kept as it was", "CS=Q1ABC", "Log=" + log,
                                   "TLimit=12", "CSList=c:\\program files\\wsjt\\call3a.txt", "ClearDecoded=1"})
        EXPECT_TRUE(Has(saved, "\r\n" + line + "\r\n")) << line << " in\n" << saved;
    EXPECT_NE(GetFileAttributesA(log.c_str()), INVALID_FILE_ATTRIBUTES) << "START creates the log";

    const std::size_t seen = wsjt.Journal().size();
    tavrix.PressRun();
    ASSERT_TRUE(tavrix.WaitCaption("START", StartWaitMs));
    EXPECT_TRUE(wsjt.WaitForEvent("press &Auto is ON tx=1 auto=on", StartWaitMs));
    EXPECT_EQ(wsjt.JournalSince(seen), (Events{"toradio 12345", "press &Auto is ON tx=1 auto=on"}));
    EXPECT_TRUE(tavrix.Idle());
    EXPECT_FALSE(tavrix.Enabled(ID_feCSList)) << "sked mode keeps the list box disabled";
    tavrix.PostClose();
    EXPECT_TRUE(tavrix.Exited(15000)) << "an idle window closes without a question";
}

// Every message START can show, read through the wide call and compared
// with the exact UTF-16 text, under whatever code page the test runs in.
TEST(RunControl, FailureMessagesShowTheirExactTexts)
{
    const std::string acp = Env("TAVRIX_EXPECT_ACP");
    if (!acp.empty()) {
        EXPECT_EQ(GetACP(), UINT(std::atoi(acp.c_str()))) << "the locale of this run did not take";
    }
    const std::string dir = TestDir() + "/messages";
    Tavrix tavrix("messages", OptionsIni(dir));
    ASSERT_NE(tavrix.main, nullptr);
    WriteFileBytes(dir + "/calls.txt", "Q9XYZ\r\n");
    const std::string list = WinePath(dir + "/calls.txt");
    const std::string noList = WinePath(dir + "/none.txt");

    struct Case {
        const char* name;
        bool cq;
        std::string partner, own, list;
        std::wstring text;
    };
    const Case cases[] = {
        {"partner empty", false, "", "Q1ABC", list, L"ToRadio Callsign is empty!"},
        {"no list file", true, "", "", noList, L"Callsigns list file not found"},
        {"no own call", true, "", "", list,
         L"\x041D\x0435 \x0437\x0430\x0434\x0430\x043D \x043F\x043E\x0437\x044B\x0432\x043D\x043E\x0439"},
        {"no WSJT", false, "Q9XYZ", "", list,
         L"\x041D\x0435 \x043D\x0430\x0439\x0434\x0435\x043D \x0440\x0430\x0431\x043E\x0442\x0430\x044E\x0449"
         L"\x0438\x0439 WSJT 4.9.7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tavrix.Select(c.cq ? ID_rbCQ : ID_rbSKED);
        tavrix.SetText(ID_eTRCS, c.partner);
        tavrix.SetText(ID_eCS, c.own);
        tavrix.SetText(ID_feCSList, c.list);
        tavrix.PressRun();
        const Box box = tavrix.WaitBox(StartWaitMs);
        ASSERT_NE(box.hwnd, nullptr);
        EXPECT_EQ(box.Text(), c.text);
        EXPECT_EQ(box.Title(), L"Tavrix");
        EXPECT_TRUE(box.HasButton(IDOK));
        EXPECT_FALSE(box.HasButton(IDCANCEL));
        EXPECT_FALSE(box.HasIcon());
        EXPECT_FALSE(tavrix.Enabled(ID_bRun)) << "no second START while the message is open";
        EXPECT_TRUE(tavrix.Responsive());
        box.Answer(IDOK);
        EXPECT_TRUE(box.WaitGone());
        EXPECT_TRUE(WaitFor([&] { return tavrix.Idle(); }, 5000));
    }

    // A log in a folder that does not exist: the message, then the run is armed.
    StandIn wsjt("messages", "");
    ASSERT_TRUE(wsjt.Running());
    tavrix.Select(ID_rbSKED);
    tavrix.SetText(ID_eTRCS, "Q9XYZ");
    tavrix.SetText(ID_feLog, WinePath(dir + "/no such folder/log.txt"));
    tavrix.PressRun();
    const Box box = tavrix.WaitBox(StartWaitMs);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.Text(), L"Log file open failure!");
    EXPECT_FALSE(box.HasIcon());
    box.Answer(IDOK);
    EXPECT_TRUE(tavrix.WaitCaption("STOP", StartWaitMs));
    EXPECT_TRUE(wsjt.WaitForEvent("press &Auto is OFF tx=1 auto=off", StartWaitMs));
    EXPECT_EQ(wsjt.Journal(), CallEvents("Q9XYZ"));
    tavrix.PressRun();
    EXPECT_TRUE(tavrix.WaitCaption("START", StartWaitMs));
    EXPECT_TRUE(wsjt.WaitForEvent("toradio 12345", StartWaitMs));
}

// The close question, and the run going on while it is open: a scan inside
// the question's message loop follows the contact.
TEST(RunControl, CloseQuestionKeepsOrEndsTheRun)
{
    const std::string dir = TestDir() + "/close";
    StandIn wsjt("close", "");
    ASSERT_TRUE(wsjt.Running());
    Tavrix tavrix("close", OptionsIni(dir));
    ASSERT_NE(tavrix.main, nullptr);
    WriteFileBytes(dir + "/decoded.cum", FreshLine("Q9XYZ Q1ABC"));
    tavrix.SetText(ID_eTRCS, "Q9XYZ");
    tavrix.PressRun();
    ASSERT_TRUE(tavrix.WaitCaption("STOP", StartWaitMs));
    ASSERT_TRUE(wsjt.WaitForEvent("press &Auto is OFF tx=1 auto=off", StartWaitMs));

    tavrix.PostClose();
    Box question = tavrix.WaitBox(StartWaitMs);
    ASSERT_NE(question.hwnd, nullptr);
    EXPECT_EQ(question.Text(), L"Tavrix is active. Close anyway?");
    EXPECT_EQ(question.Title(), L"Tavrix");
    EXPECT_TRUE(question.HasButton(IDOK));
    EXPECT_TRUE(question.HasButton(IDCANCEL));
    EXPECT_FALSE(question.HasIcon());
    EXPECT_TRUE(wsjt.WaitForEvent("press Tx &2 tx=1 auto=on", ScanWaitMs))
        << "the timer scans while the question is open";
    EXPECT_TRUE(tavrix.Responsive());
    question.Answer(IDCANCEL);
    EXPECT_TRUE(question.WaitGone());
    EXPECT_TRUE(tavrix.Alive());
    EXPECT_EQ(tavrix.Text(ID_bRun), "STOP");

    const std::size_t seen = wsjt.Journal().size();
    tavrix.PostClose();
    question = tavrix.WaitBox(StartWaitMs);
    ASSERT_NE(question.hwnd, nullptr);
    question.Answer(IDOK);
    EXPECT_TRUE(tavrix.Exited(15000));
    EXPECT_EQ(wsjt.JournalSince(seen), (Events{"toradio 12345", "press &Auto is ON tx=2 auto=on"}));
}

// The activity log only grows: over two runs and a restart of the program
// its earlier bytes stay as they were and each scan's line follows them.
TEST(RunControl, ActivityLogIsOnlyAppendedAcrossRunsAndRestarts)
{
    const std::string dir = TestDir() + "/appendlog";
    const std::string logPath = dir + "/log.txt";
    StandIn wsjt("appendlog", "");
    ASSERT_TRUE(wsjt.Running());
    Tavrix tavrix("appendlog", OptionsIni(dir));
    ASSERT_NE(tavrix.main, nullptr);
    const std::string earlier = "earlier day's line without a line end";
    WriteFileBytes(logPath, earlier);
    std::string logged = earlier;

    auto runOnce = [&](bool waitForScan) {
        const std::size_t seen = wsjt.Journal().size();
        if (waitForScan) {
            const std::string line = FreshLine("Q9XYZ Q1ABC");
            WriteFileBytes(dir + "/decoded.cum", line);
            logged += line;
        }
        tavrix.SetText(ID_eTRCS, "Q9XYZ");
        tavrix.PressRun();
        ASSERT_TRUE(tavrix.WaitCaption("STOP", StartWaitMs));
        if (waitForScan) {
            ASSERT_TRUE(WaitForPressAfter(wsjt, seen, "press Tx &2", ScanWaitMs));
        }
        tavrix.PressRun();
        ASSERT_TRUE(tavrix.WaitCaption("START", StartWaitMs));
    };

    runOnce(true);
    EXPECT_EQ(ReadFileBytes(logPath), logged);
    // A run that stops before any scan adds nothing.
    runOnce(false);
    EXPECT_EQ(ReadFileBytes(logPath), logged);
    tavrix.PostClose();
    ASSERT_TRUE(tavrix.Exited(15000));
    tavrix.Launch();
    ASSERT_NE(tavrix.main, nullptr);
    runOnce(true);
    EXPECT_EQ(ReadFileBytes(logPath), logged);
}

}  // namespace
