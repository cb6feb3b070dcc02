// Faults around a running tavrix.exe: WSJT closed and started again, WSJT
// hung or with a stuck Auto caption, the decoded file held by a writer, the
// log's folder deleted, the settings file read-only. Each case ends with the
// program answering a round trip through its message queue and STOP
// bringing back the idle look.
#include "tests/wine/drivers/operator.h"

using namespace op;

namespace {

constexpr DWORD StartWaitMs = 15000;
constexpr DWORD ScanWaitMs = 40000;  // a scan comes at seconds 5 and 35
// Not a timing test: only proves that START is not held for the length of
// the peer's hang (60 s).
constexpr long long NotStuckMs = 20000;

std::string OptionsIni(const std::string& dir, const std::string& log)
{
    return "[Options]\r\nDecoded=" + WinePath(dir + "/decoded.cum") + "\r\nLog=" + WinePath(log) +
           "\r\nCS=Q1ABC\r\nClearDecoded=0\r\n";
}

bool PressedAfter(const StandIn& wsjt, std::size_t since, const std::string& prefix)
{
    for (const std::string& e : wsjt.JournalSince(since))
        if (e.compare(0, prefix.size(), prefix) == 0)
            return true;
    return false;
}

// START in sked mode with Q9XYZ; the milliseconds until the caption read STOP.
long long StartSked(const Tavrix& tavrix)
{
    tavrix.SetText(ID_eTRCS, "Q9XYZ");
    const long long start = NowMs();
    tavrix.PressRun();
    EXPECT_TRUE(tavrix.WaitCaption("STOP", 30000));
    return NowMs() - start;
}

long long Stop(const Tavrix& tavrix)
{
    const long long start = NowMs();
    tavrix.PressRun();
    EXPECT_TRUE(WaitFor([&] { return tavrix.Idle(); }, 30000));
    return NowMs() - start;
}

void Report(const char* what, long long ms)
{
    std::printf("%s: %lld ms\n", what, ms);
    ::testing::Test::RecordProperty(what, int(ms));
}

TEST(Faults, WsjtClosedMidRunAndStartedAgain)
{
    const std::string dir = TestDir() + "/closed";
    Tavrix tavrix("closed", OptionsIni(dir, dir + "/log.txt"));
    DeleteFileA(WinePath(dir + "/log.txt").c_str());  // an earlier run's
    DeleteFileA(WinePath(dir + "/decoded.cum").c_str());
    ASSERT_NE(tavrix.main, nullptr);
    {
        StandIn first("closed1", "");
        ASSERT_TRUE(first.Running());
        StartSked(tavrix);
        ASSERT_TRUE(first.WaitForEvent("press &Auto is OFF tx=1 auto=off", StartWaitMs));
        EXPECT_TRUE(first.Close());
    }
    // The run goes on against nothing: the next scan still logs the line.
    const std::string line = FreshLine("Q9XYZ Q1ABC");
    WriteFileBytes(dir + "/decoded.cum", line);
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(dir + "/log.txt") == line; }, ScanWaitMs, 200))
        << "a scan after WSJT went away";
    EXPECT_TRUE(tavrix.Responsive());
    EXPECT_EQ(tavrix.Text(ID_bRun), "STOP");
    EXPECT_TRUE(tavrix.Boxes().empty());
    Report("STOP with WSJT gone", Stop(tavrix));

    StandIn second("closed2", "");
    ASSERT_TRUE(second.Running());
    StartSked(tavrix);
    EXPECT_TRUE(second.WaitForEvent("press &Auto is OFF tx=1 auto=off", StartWaitMs));
    EXPECT_EQ(second.Journal(), CallEvents("Q9XYZ")) << "the next START finds the new window";
    Stop(tavrix);
    EXPECT_TRUE(second.WaitForEvent("toradio 12345", StartWaitMs));
}

TEST(Faults, WsjtHangsDuringStart)
{
    const std::string dir = TestDir() + "/hang";
    StandIn wsjt("hang", "/hang 60 /hangafter 1");  // the first Lookup press does not come back
    ASSERT_TRUE(wsjt.Running());
    Tavrix tavrix("hang", OptionsIni(dir, dir + "/log.txt"));
    ASSERT_NE(tavrix.main, nullptr);

    const long long startMs = StartSked(tavrix);
    Report("START against a hung WSJT", startMs);
    EXPECT_LT(startMs, NotStuckMs);
    EXPECT_TRUE(tavrix.Responsive());
    const Events events = wsjt.Journal();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[1], "press &Lookup tx=0 auto=off");
    EXPECT_EQ(events[2], "hang 60");

    const long long stopMs = Stop(tavrix);
    Report("STOP against a hung WSJT", stopMs);
    EXPECT_LT(stopMs, NotStuckMs);
    EXPECT_TRUE(tavrix.Responsive());
    wsjt.Kill();
}

TEST(Faults, AutoCaptionNeverChanges)
{
    const std::string dir = TestDir() + "/autostuck";
    StandIn wsjt("autostuck", "/autostuck");
    ASSERT_TRUE(wsjt.Running());
    Tavrix tavrix("autostuck", OptionsIni(dir, dir + "/log.txt"));
    ASSERT_NE(tavrix.main, nullptr);
    Report("START with a stuck Auto caption", StartSked(tavrix));
    int autoPresses = 0;
    for (const std::string& e : wsjt.Journal())
        autoPresses += e.compare(0, 11, "press &Auto") == 0;
    EXPECT_EQ(autoPresses, 3);
    EXPECT_TRUE(tavrix.Responsive());
    Stop(tavrix);
}

// Another program holds decoded.cum open for writing: one box however many
// scans fail meanwhile; once it is answered and the file let go, the next
// scan follows the contact without a word.
TEST(Faults, DecodedFileHeldByAWriter)
{
    const std::string dir = TestDir() + "/held";
    StandIn wsjt("held", "");
    ASSERT_TRUE(wsjt.Running());
    Tavrix tavrix("held", OptionsIni(dir, dir + "/log.txt"));
    ASSERT_NE(tavrix.main, nullptr);
    StartSked(tavrix);
    StandIn holder("holder", "/holddecoded \"" + WinePath(dir + "/decoded.cum") + "\"");
    ASSERT_TRUE(holder.Running());
    const long long heldFrom = NowMs();

    const Box box = tavrix.WaitBox(ScanWaitMs);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.Text(), L"\x041D\x0435 \x0443\x0434\x0430\x043B\x043E\x0441\x044C "
                          L"\x0437\x0430\x0433\x0440\x0443\x0437\x0438\x0442\x044C decoded.cum");
    EXPECT_EQ(box.Title(), L"Tavrix");
    EXPECT_FALSE(box.HasIcon());
    // One more scan fails while the box is open: still one box.
    std::size_t most = 0;
    WaitFor([&] { most = std::max(most, tavrix.Boxes().size()); return false; }, 31000, 250);
    EXPECT_EQ(most, 1u);
    EXPECT_TRUE(tavrix.Responsive());
    EXPECT_EQ(tavrix.Status().rfind("decoded.cum could not be read", 0), 0u) << tavrix.Status();

    box.Answer(IDOK);
    EXPECT_TRUE(box.WaitGone());
    EXPECT_TRUE(holder.Close());
    Report("decoded.cum held", NowMs() - heldFrom);
    const std::size_t seen = wsjt.Journal().size();
    WriteFileBytes(dir + "/decoded.cum", FreshLine("Q9XYZ Q1ABC"));
    most = 0;
    EXPECT_TRUE(WaitFor([&] {
        most = std::max(most, tavrix.Boxes().size());
        return PressedAfter(wsjt, seen, "press Tx &2");
    }, ScanWaitMs, 250));
    EXPECT_EQ(most, 0u) << "the scan after the release shows nothing";
    Stop(tavrix);
}

TEST(Faults, LogFolderDeletedDuringARun)
{
    const std::string dir = TestDir() + "/nolog";
    const std::string logs = dir + "/logs";
    CreateDirectoryA(WinePath(dir).c_str(), nullptr);
    CreateDirectoryA(WinePath(logs).c_str(), nullptr);
    StandIn wsjt("nolog", "");
    ASSERT_TRUE(wsjt.Running());
    Tavrix tavrix("nolog", OptionsIni(dir, logs + "/log.txt"));
    ASSERT_NE(tavrix.main, nullptr);
    StartSked(tavrix);
    EXPECT_TRUE(tavrix.Boxes().empty());

    // The log is open, so Windows would refuse; the operator's disk does not ask.
    ASSERT_TRUE(RunUnix("/bin/rm -rf " + logs));
    ASSERT_EQ(GetFileAttributesA(WinePath(logs).c_str()), INVALID_FILE_ATTRIBUTES);
    const std::size_t seen = wsjt.Journal().size();
    WriteFileBytes(dir + "/decoded.cum", FreshLine("Q9XYZ Q1ABC"));
    EXPECT_TRUE(WaitFor([&] { return PressedAfter(wsjt, seen, "press Tx &2"); }, ScanWaitMs, 200))
        << "the scan that writes into the deleted log goes on";
    EXPECT_TRUE(tavrix.Alive());
    EXPECT_TRUE(tavrix.Responsive());
    Stop(tavrix);
    EXPECT_TRUE(wsjt.WaitForEvent("toradio 12345", StartWaitMs));

    // The next START can't open the log and says so; the run is armed anyway.
    tavrix.PressRun();
    const Box box = tavrix.WaitBox(StartWaitMs);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.Text(), L"Log file open failure!");
    box.Answer(IDOK);
    EXPECT_TRUE(tavrix.WaitCaption("STOP", StartWaitMs));
    Stop(tavrix);
}

// The program sits in a folder named with a letter outside ASCII, which the
// error box shows as the system's code page has it (1252 here).
TEST(Faults, SettingsFileReadOnlyAtStart)
{
    ASSERT_EQ(GetACP(), 1252u) << "the folder's name is written in code page 1252";
    const std::string folder = "readonly-\xE9";
    const std::string dir = TestDir() + "/" + folder;
    StandIn wsjt("readonly", "");
    ASSERT_TRUE(wsjt.Running());
    const std::string ini = OptionsIni(dir, dir + "/log.txt");
    Tavrix tavrix(folder, ini);
    ASSERT_NE(tavrix.main, nullptr);
    ASSERT_TRUE(SetFileAttributesA(WinePath(tavrix.IniPath()).c_str(), FILE_ATTRIBUTE_READONLY));
    // The tests run as root, which writes read-only files anyway: make it immutable as well.
    ASSERT_TRUE(RunUnix("/usr/bin/chattr +i " + tavrix.IniPath()));

    StartSked(tavrix);
    const Box box = tavrix.WaitBox(StartWaitMs);
    ASSERT_NE(box.hwnd, nullptr);
    const std::string testDir = WinePath(TestDir());
    EXPECT_EQ(box.Text(), L"Unable to write to " + std::wstring(testDir.begin(), testDir.end()) +
                              L"\\readonly-\u00E9\\tavrix.ini.");
    EXPECT_EQ(box.Title(), L"Tavrix");
    EXPECT_TRUE(box.HasIcon()) << "an error box";
    EXPECT_TRUE(box.HasButton(IDOK));
    EXPECT_EQ(tavrix.Text(ID_bRun), "STOP") << "the run is armed already";
    EXPECT_TRUE(wsjt.WaitForEvent("press &Auto is OFF tx=1 auto=off", StartWaitMs));
    box.Answer(IDOK);
    EXPECT_TRUE(box.WaitGone());
    EXPECT_TRUE(tavrix.Responsive());
    EXPECT_EQ(tavrix.Text(ID_bRun), "STOP");
    Stop(tavrix);
    RunUnix("/usr/bin/chattr -i " + tavrix.IniPath());
    SetFileAttributesA(WinePath(tavrix.IniPath()).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(tavrix.IniPath()), ini);
}

}  // namespace
