// What an operator does to a real tavrix.exe, from a second process: start
// it from a folder of its own beside a stand-in WSJT, type into its boxes,
// press its buttons, read and answer its message boxes, close it. Shared by
// the run-control and fault drivers. Every wait is bounded.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/desk_win32.h"
#include "ui/sfmMain_win32.h"

namespace op {

using ::Child;
using ::NowMs;
using ::WaitPumping;
using ::WinePath;

inline std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

inline std::string TestDir() { return Env("TEST_DIR"); }  // a Linux path; the helpers below take Linux paths

inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(WinePath(path), std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes, bool append = false)
{
    std::ofstream out(WinePath(path), std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    out << bytes;
}

// A decoded.cum line stamped now: stamp, the numeric columns, the message
// from column 33. The scans of the next 55 seconds take it.
inline std::string FreshLine(const std::string& message)
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    char head[40];
    std::snprintf(head, sizeof head, "%02u%02u%02u  1.2  140  3 26  -12     ", t.wHour, t.wMinute, t.wSecond);
    std::string line = head;
    line.resize(32, ' ');
    return line + message + "\r\n";
}

template <class Done> bool WaitFor(Done done, DWORD waitMs, DWORD stepMs = 100);

// Runs a Linux shell command (Wine starts ELF programs too) and waits,
// bounded, until it has finished. The handle Wine returns for a Linux
// process can't be waited on, so the command leaves a marker file.
inline bool RunUnix(const std::string& shellCommand)
{
    const std::string marker = TestDir() + "/unix-command.done";
    DeleteFileA(WinePath(marker).c_str());
    std::string command = "/bin/sh -c \"" + shellCommand + "; touch " + marker + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    if (pi.hThread)
        CloseHandle(pi.hThread);
    if (pi.hProcess)
        CloseHandle(pi.hProcess);
    return WaitFor([&] { return GetFileAttributesA(WinePath(marker).c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000, 50);
}

template <class Done> bool WaitFor(Done done, DWORD waitMs, DWORD stepMs)
{
    for (long long end = NowMs() + waitMs; NowMs() < end; Sleep(stepMs))
        if (done())
            return true;
    return done();
}

// Tests on a fast clock (on_fast_clock.sh): a local time of day in
// milliseconds, the local clock now as every process of the test sees it,
// and a wait until it reaches a time, bounded in real time by the rate the
// clock runs at, that calls `look` at each step meanwhile.
constexpr long long At(int hour, int minute, int second) { return ((hour * 60LL + minute) * 60 + second) * 1000; }

inline long long LocalMs()
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    return At(t.wHour, t.wMinute, t.wSecond) + t.wMilliseconds;
}

template <class Look> bool WatchUntilLocal(long long localMs, double clockRate, Look look, DWORD stepMs)
{
    const long long realMs = static_cast<long long>((localMs - LocalMs()) / clockRate);
    return WaitFor([&] {
        look();
        return LocalMs() >= localMs;
    }, DWORD(std::max(0LL, realMs) + 20000), stepMs);
}

struct Search {
    DWORD pid;
    std::wstring cls;
    std::vector<HWND> found;
};

inline BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM param)
{
    auto& s = *reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64] = L"";
    GetClassNameW(hwnd, cls, 64);
    if (pid == s.pid && s.cls == cls && IsWindowVisible(hwnd))
        s.found.push_back(hwnd);
    return TRUE;
}

inline std::vector<HWND> TopLevel(DWORD pid, const wchar_t* cls)
{
    Search s{pid, cls, {}};
    EnumWindows(MatchTopLevel, LPARAM(&s));
    return s.found;
}

// Texts are read through the wide call, so they are what the screen shows
// whatever the ANSI code page.
inline std::wstring TextW(HWND hwnd)
{
    std::wstring text(4096, L'\0');
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), LPARAM(text.data()), SMTO_ABORTIFHUNG, 5000, &length))
        return L"<no answer>";
    text.resize(length);
    return text;
}

inline std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());  // ASCII texts only
}

// A started process, ended at the latest by its owner's destructor.
class Process {
public:
    bool Start(const std::string& exe, const std::string& arguments, const std::string& folder)
    {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string command = "\"" + exe + "\" " + arguments;
        if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &si, &info_))
            return false;
        CloseHandle(info_.hThread);
        return true;
    }
    ~Process() { End(); }
    void End()
    {
        if (!info_.hProcess)
            return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        info_ = {};
    }
    bool Exited(DWORD waitMs) const { return info_.hProcess && WaitPumping(info_.hProcess, waitMs); }
    bool Running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};

// The stand-in WSJT with a journal of its own.
class StandIn {
public:
    StandIn(const std::string& name, const std::string& switches)
        : journal_(TestDir() + "/" + name + ".journal")
    {
        std::remove(journal_.c_str());
        const std::string exe = WinePath(Env("TAVRIX_WIN64_DIR") + "/tools/standin_wsjt.exe");
        if (!process_.Start(exe, "/journal \"" + WinePath(journal_) + "\" " + switches, ""))
            return;
        WaitFor([&] { return !TopLevel(process_.Id(), L"StandInWsjt").empty(); }, 30000, 50);
        const auto found = TopLevel(process_.Id(), L"StandInWsjt");
        main_ = found.empty() ? nullptr : found.front();
    }
    bool Running() const { return main_ != nullptr; }

    // Closes it as a person would; false when it did not end in time.
    bool Close()
    {
        if (main_)
            PostMessageA(main_, WM_CLOSE, 0, 0);
        main_ = nullptr;
        const bool ended = process_.Exited(10000);
        process_.End();
        return ended;
    }
    void Kill() { main_ = nullptr; process_.End(); }

    // Journal events without their time stamps, the start line and the Tx
    // First box's state, which the to-radio lines and its presses bring.
    std::vector<std::string> Journal() const
    {
        std::vector<std::string> events;
        std::ifstream in(WinePath(journal_));
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
    bool WaitForEvent(const std::string& event, DWORD waitMs) const
    {
        return WaitFor([&] {
            for (const std::string& e : Journal())
                if (e == event)
                    return true;
            return false;
        }, waitMs);
    }

private:
    std::string journal_;
    Process process_;
    HWND main_ = nullptr;
};

using Events = std::vector<std::string>;

inline Events CallEvents(const std::string& call)
{
    return {"toradio " + call, "press &Lookup tx=0 auto=off", "press &Lookup tx=0 auto=off",
            "press &Gen Std Msgs tx=0 auto=off", "press &Gen Std Msgs tx=1 auto=off",
            "press &Auto is OFF tx=1 auto=off"};
}

// A message box of Tavrix: a #32770 dialog, its text in control 65535.
struct Box {
    HWND hwnd = nullptr;
    std::wstring Text() const { return TextW(Child(hwnd, 65535)); }
    std::wstring Title() const { return TextW(hwnd); }
    bool HasButton(int id) const
    {
        HWND b = GetDlgItem(hwnd, id);
        return b && IsWindowVisible(b);
    }
    // An icon is a visible static control showing one.
    bool HasIcon() const
    {
        for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t cls[32] = L"";
            GetClassNameW(c, cls, 32);
            if (lstrcmpiW(cls, L"Static") == 0 && (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                IsWindowVisible(c) && SendMessageW(c, STM_GETICON, 0, 0))
                return true;
        }
        return false;
    }
    // Wine without a window manager takes about 2 s to destroy a top-level
    // window, during which the program does not answer: wait for that
    // before asking the program anything.
    bool WaitGone(DWORD waitMs = 10000) const { return WaitFor([&] { return !IsWindow(hwnd); }, waitMs, 50); }
    // Presses a button by its id, as a click on it would.
    void Answer(int id) const { PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(hwnd, id))); }
};

// tavrix.exe copied into TEST_DIR/folder, with a tavrix.ini written there
// byte for byte (none when `ini` is empty).
class Tavrix {
public:
    Tavrix(const std::string& folder, const std::string& ini)
        : dir_(TestDir() + "/" + folder)
    {
        CreateDirectoryA(WinePath(dir_).c_str(), nullptr);
        const std::string exe = WinePath(dir_ + "/tavrix.exe");
        EXPECT_TRUE(CopyFileA(WinePath(Env("TAVRIX_WIN64_DIR") + "/tavrix.exe").c_str(), exe.c_str(), FALSE));
        SetFileAttributesA(WinePath(IniPath()).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(WinePath(IniPath()).c_str());
        if (!ini.empty())
            WriteFileBytes(IniPath(), ini);
        Launch();
    }

    // Starts the program again from the same folder, as after a restart.
    void Launch()
    {
        process_.End();
        main = nullptr;
        if (!process_.Start(WinePath(dir_ + "/tavrix.exe"), "", WinePath(dir_))) {
            ADD_FAILURE() << "cannot start tavrix.exe";
            return;
        }
        WaitFor([&] { return !TopLevel(process_.Id(), L"TfmTavrix").empty(); }, 30000, 50);
        const auto found = TopLevel(process_.Id(), L"TfmTavrix");
        main = found.empty() ? nullptr : found.front();
        EXPECT_NE(main, nullptr) << "no Tavrix window within 30 s";
    }

    std::string Dir() const { return dir_; }
    std::string IniPath() const { return dir_ + "/tavrix.ini"; }

    HWND Control(int id) const { return Child(main, id); }
    std::string Text(int id) const { return Narrow(TextW(Control(id))); }
    void SetText(int id, const std::string& text) const
    {
        DWORD_PTR r = 0;
        SendMessageTimeoutA(Control(id), WM_SETTEXT, 0, LPARAM(text.c_str()), SMTO_ABORTIFHUNG, 5000, &r);
    }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != 0; }
    // Radio buttons and check boxes: their handler runs before this returns.
    void Select(int id) const
    {
        DWORD_PTR r = 0;
        SendMessageTimeoutA(Control(id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
    }
    // START/STOP is posted: its handler may open a box and wait in it.
    void PressRun() const { PostMessageA(Control(ID_bRun), BM_CLICK, 0, 0); }
    bool WaitCaption(const std::string& caption, DWORD waitMs) const
    {
        return WaitFor([&] { return Text(ID_bRun) == caption; }, waitMs);
    }
    // The status bar: the first part, and a tab and the second part's text
    // when there is one (engine/status.h).
    std::string Status() const { return StatusBarText(Control(ID_StatusBar)); }
    bool WaitStatus(const std::string& start, DWORD waitMs) const
    {
        return WaitFor([&] { return Status().rfind(start, 0) == 0; }, waitMs);
    }
    // The window answers a round trip through its message queue in time.
    bool Responsive() const
    {
        DWORD_PTR r = 0;
        return SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &r) != 0;
    }
    // The idle look: caption START and the boxes that a run disables enabled again.
    bool Idle() const
    {
        return Text(ID_bRun) == "START" && Enabled(ID_bRun) && Enabled(ID_feDecoded) && Enabled(ID_eCS) &&
               Enabled(ID_feLog) && Enabled(ID_rbSKED) && Enabled(ID_rbCQ) && Enabled(ID_cbStop);
    }

    std::vector<Box> Boxes() const
    {
        std::vector<Box> boxes;
        for (HWND hwnd : TopLevel(process_.Id(), L"#32770"))
            boxes.push_back(Box{hwnd});
        return boxes;
    }
    Box WaitBox(DWORD waitMs) const
    {
        WaitFor([&] { return !Boxes().empty(); }, waitMs, 50);
        const auto boxes = Boxes();
        return boxes.empty() ? Box{} : boxes.front();
    }

    void PostClose() const { PostMessageA(main, WM_CLOSE, 0, 0); }
    bool Exited(DWORD waitMs) const { return process_.Exited(waitMs); }
    bool Alive() const { return process_.Running(); }

    HWND main = nullptr;

private:
    std::string dir_;
    Process process_;
};

// The status bar's texts as they changed while a driver watched the run.
struct StatusHistory {
    std::vector<std::string> texts;

    void Look(const Tavrix& tavrix)
    {
        const std::string status = tavrix.Status();
        if (texts.empty() || texts.back() != status)
            texts.push_back(status);
    }
    // Whether any of them began with `start`.
    bool Said(const std::string& start) const
    {
        return std::any_of(texts.begin(), texts.end(), [&](const std::string& s) { return s.rfind(start, 0) == 0; });
    }
};

// The first event at or after `from` that begins with `prefix`; null for none.
inline const JournalEvent* Find(const std::vector<JournalEvent>& events, const std::string& prefix,
                                long long from = 0)
{
    for (const JournalEvent& e : events)
        if (e.ms >= from && e.what.compare(0, prefix.size(), prefix) == 0)
            return &e;
    return nullptr;
}

// No window manager runs on the display: Wine then draws the frames and
// captions itself, and gives the windows titles that xdotool finds.
inline void LetWineManageWindows()
{
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", REG_SZ, "N", 2);
}

// The Skeds page photographed as an operator would see it, brought up by a
// click on its tab (the third, 138,31 from the window's corner at 96 dpi).
inline void PhotographSkedsPage(const std::string& png)
{
    RunUnix("xdotool search --name '^Tavrix v' mousemove --window %1 138 31 click 1; sleep 1; import -window root " +
            png);
}

}  // namespace op
