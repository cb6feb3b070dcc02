// Works the stand-in WSJT in another process with the product's own peer
// code over user32: discovery, the call and release sequences, the Tx
// presses, and a stand-in that stops answering.
#include <gtest/gtest.h>

// Before <windows.h>, whose DeleteFile macro would rename the platform's method.
#include "tests/support/model_window.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/run.h"
#include "peer/peer.h"
#include "ports/window_system_win32.h"
#include "tools/desk_win32.h"

namespace {

constexpr DWORD WindowWaitMs = 30000;  // a first Wine process can take a while to start
// Wine without a window manager spends about 2 s destroying a top-level window.
constexpr DWORD CloseWaitMs = 5000;

std::string EnvOr(const char* name, const std::string& fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? WinePath(value) : fallback;
}

std::string StandInPath()
{
    return EnvOr("TAVRIX_WIN64_DIR", "..\\..\\..") + "\\tools\\standin_wsjt.exe";
}

std::string TestFolder()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return EnvOr("TEST_DIR", temp);
}

// Windows of the stand-in are looked up by process, class and control id,
// never by a message, which a hung stand-in would not answer.
struct WindowSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK MatchStandInMain(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    char cls[64] = {};
    GetWindowThreadProcessId(window, &pid);
    GetClassNameA(window, cls, sizeof cls);
    if (pid != s->pid || std::string(cls) != "StandInWsjt")
        return TRUE;
    s->found = window;
    return FALSE;
}

// A stand-in WSJT running for the length of one test.
class StandIn {
public:
    StandIn(const std::string& name, const std::string& switches)
        : journalPath_(TestFolder() + "\\" + name + ".journal")
    {
        DeleteFileA(journalPath_.c_str());
        std::string command = "\"" + StandInPath() + "\" /journal \"" + journalPath_ + "\" " + switches;
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
            return;
        CloseHandle(process_.hThread);
        for (long long end = NowMs() + WindowWaitMs; !main_ && NowMs() < end; Sleep(50))
            main_ = FindMainWindow();
    }
    ~StandIn()
    {
        if (!process_.hProcess)
            return;
        if (main_)
            PostMessageA(main_, WM_CLOSE, 0, 0);
        const bool ended = WaitPumping(process_.hProcess, CloseWaitMs);
        if (!ended) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, CloseWaitMs);
        }
        CloseHandle(process_.hProcess);
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;

    bool Running() const { return main_ != nullptr; }

    // Journal events without their time stamps, the start line and the Tx
    // First box's state, which the to-radio lines and its presses bring.
    std::vector<std::string> Journal() const
    {
        std::vector<std::string> events;
        std::ifstream in(journalPath_);
        for (std::string line; std::getline(in, line);)
            if (line.size() > 13 && line.compare(13, 6, "start ") != 0 && line.compare(13, 8, "txfirst ") != 0)
                events.push_back(line.substr(13));
        return events;
    }
    std::vector<std::string> JournalSince(std::size_t first) const
    {
        std::vector<std::string> all = Journal();
        return std::vector<std::string>(all.begin() + std::min(first, all.size()), all.end());
    }

    // Waits, bounded, for an event that the stand-in journals.
    bool WaitForEvent(const std::string& event, DWORD waitMs) const
    {
        for (long long end = NowMs() + waitMs; NowMs() < end; Sleep(50))
            for (const std::string& e : Journal())
                if (e == event)
                    return true;
        return false;
    }

    // A Tx message box, found by its control id so that no message is sent.
    HWND TxMessage(int tx) const { return Child(main_, 120 + tx); }

private:
    std::string journalPath_;
    PROCESS_INFORMATION process_ = {};
    HWND main_ = nullptr;

    HWND FindMainWindow() const
    {
        WindowSearch search{process_.dwProcessId, nullptr};
        EnumWindows(MatchStandInMain, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
};

PeerHandle Peer(HWND w) { return reinterpret_cast<PeerHandle>(w); }

struct PeerAcrossProcesses : ::testing::Test {
    Win32WindowSystem user32;
    ModelWindow w;  // the controls the run reads
    TfmTavrix form{w.platform, user32};
    ::Run& run = form.run;

    PeerAcrossProcesses() { w.WireInto(form); }
};

using Events = std::vector<std::string>;

}  // namespace

TEST_F(PeerAcrossProcesses, CallStepsAndRelease)
{
    StandIn wsjt("call", "/mycall Q1ABC");
    ASSERT_TRUE(wsjt.Running());
    ASSERT_TRUE(run.FindWSJT());
    for (PeerHandle h : run.PeerControls)
        EXPECT_NE(h, NoPeer);

    run.FState = -1;
    const long long start = NowMs();
    run.CallStation("Q9XYZ");
    const long long took = NowMs() - start;
    std::printf("CallStation against the stand-in took %lld ms\n", took);
    RecordProperty("CallStationMs", static_cast<int>(took));

    EXPECT_EQ(wsjt.Journal(), (Events{"toradio Q9XYZ", "press &Lookup tx=0 auto=off", "press &Lookup tx=0 auto=off",
                                      "press &Gen Std Msgs tx=0 auto=off", "press &Gen Std Msgs tx=1 auto=off",
                                      "press &Auto is OFF tx=1 auto=off"}));
    EXPECT_EQ(GetControlText(user32, run.PeerControls[pcAuto]), "&Auto is ON");
    EXPECT_EQ(GetControlText(user32, Peer(wsjt.TxMessage(2))), "Q9XYZ Q1ABC 27 27");
    EXPECT_EQ(GetControlText(user32, Peer(wsjt.TxMessage(4))), "RRRR RRRR Q1ABC");
    EXPECT_EQ(run.FState, 0);
    EXPECT_EQ(run.TickLimit, 1800);

    // Each step presses its Tx button; the stand-in shows the one selected
    // before, Tx 1 after Gen Std Msgs.
    std::size_t seen = wsjt.Journal().size();
    for (int state = 1; state <= 5; ++state) {
        run.SetState(state);
        const std::string tx = std::to_string(state + 1);
        EXPECT_EQ(wsjt.JournalSince(seen),
                  (Events{"press Tx &" + tx + " tx=" + std::to_string(state) + " auto=on"}));
        seen = wsjt.Journal().size();
    }

    run.ReleaseWSJT();
    EXPECT_EQ(wsjt.JournalSince(seen), (Events{"toradio 12345", "press &Auto is ON tx=6 auto=on"}));
    EXPECT_EQ(GetControlText(user32, run.PeerControls[pcAuto]), "&Auto is OFF");
    EXPECT_EQ(GetControlText(user32, run.PeerControls[pcToRadio]), "12345");
    EXPECT_TRUE(run.FindWSJT()) << "a released WSJT is found again";
}

TEST_F(PeerAcrossProcesses, MissingOptionalButtonsAndAStuckAutoCaption)
{
    StandIn wsjt("stuck", "/autostuck /missing \"Tx &3,&Lookup\"");
    ASSERT_TRUE(wsjt.Running());
    ASSERT_TRUE(run.FindWSJT());
    EXPECT_EQ(run.PeerControls[pcLookup], NoPeer);
    EXPECT_EQ(run.PeerControls[pcTx3], NoPeer);

    run.CallStation("CQ");
    EXPECT_EQ(wsjt.Journal(), (Events{"toradio CQ", "press &Gen Std Msgs tx=0 auto=off",
                                      "press &Gen Std Msgs tx=1 auto=off", "press &Auto is OFF tx=1 auto=off",
                                      "press &Auto is OFF tx=1 auto=off", "press &Auto is OFF tx=1 auto=off"}));
    EXPECT_EQ(GetControlText(user32, Peer(wsjt.TxMessage(6))), "CQ Q1ABC");

    const std::size_t seen = wsjt.Journal().size();
    run.SetState(2);  // Tx 3 is missing: nothing reaches WSJT
    EXPECT_EQ(wsjt.JournalSince(seen), Events{});
    EXPECT_EQ(run.FState, 2);
}

// Not a timing test: the bound only proves that the caller is not held for
// the length of the stand-in's hang.
TEST_F(PeerAcrossProcesses, HungPeerHoldsTheCallerOnlyBriefly)
{
    constexpr long long NotStuckMs = 20000;
    StandIn wsjt("hang", "/hang 40 /hangafter 1");
    ASSERT_TRUE(wsjt.Running());
    ASSERT_TRUE(run.FindWSJT());

    long long start = NowMs();
    run.CallStation("Q9XYZ");  // the first Lookup press starts the hang
    const long long callMs = NowMs() - start;
    start = NowMs();
    run.ReleaseWSJT();
    const long long releaseMs = NowMs() - start;
    std::printf("against a hung stand-in: CallStation %lld ms, ReleaseWSJT %lld ms\n", callMs, releaseMs);
    EXPECT_LT(callMs, NotStuckMs);
    EXPECT_LT(releaseMs, NotStuckMs);
    EXPECT_EQ(run.FState, 0);
    const Events events = wsjt.Journal();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[1], "press &Lookup tx=0 auto=off");
    EXPECT_EQ(events[2], "hang 40");
}

TEST_F(PeerAcrossProcesses, PeerHungFromTheStartIsNotFound)
{
    StandIn wsjt("hangstart", "/hang 40");
    ASSERT_TRUE(wsjt.Running());
    ASSERT_TRUE(wsjt.WaitForEvent("hang 40", WindowWaitMs));
    const long long start = NowMs();
    EXPECT_FALSE(run.FindWSJT());
    const long long took = NowMs() - start;
    std::printf("FindWSJT against a hung stand-in: %lld ms\n", took);
    EXPECT_LT(took, 20000);
}

TEST_F(PeerAcrossProcesses, ClosedPeerActsAsNothing)
{
    {
        StandIn wsjt("closed", "");
        ASSERT_TRUE(wsjt.Running());
        ASSERT_TRUE(run.FindWSJT());
    }
    const long long start = NowMs();
    EXPECT_EQ(GetControlText(user32, run.PeerControls[pcAuto]), "");
    run.CallStation("Q9XYZ");
    run.ReleaseWSJT();
    EXPECT_FALSE(run.FindWSJT());
    EXPECT_EQ(run.PeerControls[pcMain], NoPeer);
    EXPECT_LT(NowMs() - start, 20000);
}

TEST_F(PeerAcrossProcesses, HeldDecodedFileShutsOutWriters)
{
    const std::string decoded = TestFolder() + "\\held_decoded.cum";
    StandIn wsjt("hold", "/holddecoded \"" + decoded + "\"");
    ASSERT_TRUE(wsjt.Running());
    HANDLE reader = CreateFileA(decoded.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(reader, INVALID_HANDLE_VALUE) << "a read that keeps writers out must fail";
    if (reader != INVALID_HANDLE_VALUE)
        CloseHandle(reader);
    reader = CreateFileA(decoded.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE) << "a read that lets writers in still works";
    if (reader != INVALID_HANDLE_VALUE)
        CloseHandle(reader);
}
