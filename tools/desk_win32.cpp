#include "tools/desk_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ui/sfmMain_win32.h"

namespace {

constexpr DWORD WindowWaitMs = 30000;  // a first Wine process can take a while to start
constexpr DWORD CloseWaitMs = 15000;   // Wine without a window manager is slow to destroy windows
constexpr UINT MessageWaitMs = 20000;  // START places the call inside its click

struct WindowSearch {
    DWORD pid;
    const char* cls;    // class to match, or null
    const char* title;  // title to match, or null
    HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = {}, title[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, title, sizeof title);
    if (pid != s->pid || !IsWindowVisible(window) || (s->cls && std::string(cls) != s->cls) ||
        (s->title && std::string(title) != s->title))
        return TRUE;
    s->found = window;
    return FALSE;
}

HWND WaitForWindow(DWORD pid, const char* cls, const char* title)
{
    WindowSearch search{pid, cls, title, nullptr};
    for (long long end = NowMs() + WindowWaitMs; !search.found && NowMs() < end; Sleep(100))
        EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK MatchControlId(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<std::pair<int, HWND>*>(param);
    if (GetDlgCtrlID(window) != s->first)
        return TRUE;
    s->second = window;
    return FALSE;
}

// A press at the very second of a scan would leave open whether that scan
// belonged to the run; the contact checks assume it did not.
void WaitClearOfScans()
{
    for (int i = 0; i < 20; ++i) {
        SYSTEMTIME t;
        GetLocalTime(&t);
        const int s = t.wSecond % 30;
        if (s != 4 && s != 5 && s != 6)
            return;
        Sleep(250);
    }
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::vector<std::string> CallParts(const std::string& call)
{
    return {call.substr(0, 3), call.size() > 3 ? call.substr(call.size() - 3) : call};
}

}  // namespace

bool WaitPumping(HANDLE object, DWORD waitMs)
{
    for (long long end = NowMs() + waitMs;;) {
        const long long left = end - NowMs();
        if (left <= 0)
            return false;
        const DWORD r = MsgWaitForMultipleObjects(1, &object, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            return true;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
}

HWND Child(HWND parent, int id)
{
    std::pair<int, HWND> search{id, nullptr};
    EnumChildWindows(parent, MatchControlId, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::string WinePath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string EnvPath(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? WinePath(value) : std::string();
}

// The performance counter rather than GetTickCount64, which Windows XP
// lacks: the i686 build of the tools runs on the stations' XP too.
long long NowMs()
{
    LARGE_INTEGER count, perSecond;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&perSecond);
    return count.QuadPart / perSecond.QuadPart * 1000 + count.QuadPart % perSecond.QuadPart * 1000 / perSecond.QuadPart;
}

void Say(const std::string& text)
{
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

std::string Clock()
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond);
    return text;
}

static std::string Narrow(const std::wstring& text)
{
    std::string narrow(text.size() * 2, '\0');
    narrow.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), narrow.data(), int(narrow.size()),
                                      nullptr, nullptr));
    return narrow;
}

// The part's text through a buffer in the bar's own process: the bar's
// messages carry pointers that are not carried over between processes.
// (WM_GETTEXT, which is, gives only the first part.)
static std::wstring RemotePartText(HWND bar, int part)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(bar, SB_GETTEXTLENGTHW, part, 0, SMTO_ABORTIFHUNG, MessageWaitMs, &length) ||
        LOWORD(length) == 0)
        return std::wstring();
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return std::wstring();
    std::wstring text(LOWORD(length) + 1, L'\0');
    const SIZE_T bytes = text.size() * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    DWORD_PTR ignored = 0;
    if (!remote ||
        !SendMessageTimeoutW(bar, SB_GETTEXTW, part, LPARAM(remote), SMTO_ABORTIFHUNG, MessageWaitMs, &ignored) ||
        !ReadProcessMemory(process, remote, text.data(), bytes, nullptr))
        text.clear();
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return text.substr(0, text.find(L'\0'));
}

std::string StatusBarText(HWND bar)
{
    wchar_t first[512] = L"";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(bar, WM_GETTEXT, 512, LPARAM(first), SMTO_ABORTIFHUNG, MessageWaitMs, &length))
        return std::string();
    DWORD_PTR parts = 0;
    SendMessageTimeoutW(bar, SB_GETPARTS, 0, 0, SMTO_ABORTIFHUNG, MessageWaitMs, &parts);
    std::string text = Narrow(first);
    const std::wstring second = parts >= 2 ? RemotePartText(bar, 1) : std::wstring();
    if (!second.empty())
        text += '\t' + Narrow(second);
    return text;
}

Desk::Desk(const std::string& folder) : folder_(folder) {}

Desk::~Desk()
{
    Close(tavrix_, tavrixWindow);
    Close(wsjt_, wsjtWindow);
}

bool Desk::Start(const std::string& exe, const std::string& arguments, PROCESS_INFORMATION& process)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + exe + "\" " + arguments;
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    process.hThread = nullptr;
    return true;
}

void Desk::Close(PROCESS_INFORMATION& process, HWND window)
{
    if (!process.hProcess)
        return;
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (!WaitPumping(process.hProcess, CloseWaitMs)) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, CloseWaitMs);
    }
    CloseHandle(process.hProcess);
    process.hProcess = nullptr;
}

bool Desk::StartWsjt(const std::string& switches)
{
    DeleteFileA(Path("wsjt.journal").c_str());
    return RestartWsjt(switches);
}

bool Desk::RestartWsjt(const std::string& switches)
{
    Close(wsjt_, wsjtWindow);
    wsjtWindow = nullptr;
    const std::string exe = EnvPath("TAVRIX_WIN64_DIR") + "\\tools\\standin_wsjt.exe";
    const std::string arguments = "/journal \"" + Path("wsjt.journal") + "\" /decoded \"" + Path("decoded.cum") +
                                  "\" " + switches;
    if (!Start(exe, arguments, wsjt_))
        return false;
    wsjtWindow = WaitForWindow(wsjt_.dwProcessId, "StandInWsjt", nullptr);
    return wsjtWindow != nullptr;
}

bool Desk::StartTavrix(const std::string& ownCall, const std::string& moreIni)
{
    ownCall_ = ownCall;
    const std::string exe = Path("tavrix.exe");
    if (!CopyFileA((EnvPath("TAVRIX_WIN64_DIR") + "\\tavrix.exe").c_str(), exe.c_str(), FALSE))
        return false;
    WriteFile("tavrix.ini", "[Options]\r\nDecoded=" + Path("decoded.cum") + "\r\nCSList=" + Path("call3a.txt") +
                                "\r\nLog=" + Path("tavrixlog.txt") + "\r\nCS=" + ownCall +
                                "\r\nTLimit=30\r\nClearDecoded=0\r\n" + moreIni);
    if (!Start(exe, "", tavrix_))
        return false;
    tavrixWindow = WaitForWindow(tavrix_.dwProcessId, nullptr, "Tavrix v0.13.3.1");
    return tavrixWindow != nullptr;
}

void Desk::WriteFile(const std::string& name, const std::string& content) const
{
    HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Desk::ReadFile(const std::string& name) const
{
    HANDLE file = CreateFileA(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string content;
    char buffer[8192];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(file);
    return content;
}

std::vector<JournalEvent> Desk::Journal() const { return ParseJournal(ReadFile("wsjt.journal")); }

HWND Desk::Control(int id) const
{
    return Child(tavrixWindow, id);
}

std::string Desk::Text(int id) const
{
    char text[256] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutA(Control(id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        MessageWaitMs, &length);
    return text;
}

std::string Desk::Status() const
{
    return StatusBarText(Control(ID_StatusBar));
}

bool Desk::SetText(int id, const std::string& text) const
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                               MessageWaitMs, &result) != 0;
}

bool Desk::Click(int id) const
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(Control(id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, MessageWaitMs, &result) != 0;
}

bool Desk::WaitForRelease(std::size_t from, long long limitMs) const
{
    for (long long end = NowMs() + limitMs; NowMs() < end; Sleep(250)) {
        const std::vector<std::string> actions = PeerActions(JournalSince(from));
        if (!actions.empty() && actions.back() == "press &Auto is ON")
            return true;
    }
    return false;
}

std::vector<JournalEvent> Desk::JournalSince(std::size_t from) const
{
    const std::vector<JournalEvent> all = Journal();
    return {all.begin() + std::min(from, all.size()), all.end()};
}

// True once, after Tx 5, the partner has heard our 73 and a period of its
// has been decoded since.
static bool PartnerAnsweredOur73(const std::vector<JournalEvent>& events)
{
    int stage = 0;
    for (const JournalEvent& e : events) {
        if (stage == 0 && e.what.rfind("press Tx &5", 0) == 0)
            stage = 1;
        else if (stage == 1 && e.what.rfind("heard 73 ", 0) == 0)
            stage = 2;
        else if (stage == 2 && e.what.rfind("decode ", 0) == 0)
            return true;
    }
    return false;
}

void Desk::WaitForLast73(std::size_t from, const std::function<void(const std::vector<JournalEvent>&)>& progress)
{
    bool answered = false, inScanSecond = false;
    for (long long end = NowMs() + 100000; NowMs() < end; Sleep(250)) {
        const std::vector<JournalEvent> run = JournalSince(from);
        if (progress)
            progress(run);
        answered = answered || PartnerAnsweredOur73(run);
        if (!answered)
            continue;
        SYSTEMTIME t;
        GetLocalTime(&t);
        if (t.wSecond % 30 == 5)
            inScanSecond = true;
        else if (inScanSecond)
            return;  // the scan after the partner's answer is done
    }
}

ContactOutcome Desk::WorkContact(const ContactPlan& plan,
                                 const std::function<void(const std::vector<JournalEvent>&)>& progress)
{
    ContactOutcome outcome;
    const std::size_t from = Journal().size();
    const std::size_t logBefore = Lines(ReadFile("tavrixlog.txt")).size();
    Click(plan.cq ? ID_rbCQ : ID_rbSKED);
    if (!plan.cq)
        SetText(ID_eTRCS, plan.partner);

    WaitClearOfScans();
    const long long start = NowMs();
    Click(ID_bRun);
    for (long long end = start + plan.limitMs; NowMs() < end && !outcome.completed; Sleep(250)) {
        const std::vector<JournalEvent> run = JournalSince(from);
        outcome.completed = StateFromJournal(run) == 4;
        if (progress)
            progress(run);
    }
    if (outcome.completed && plan.waitForLast73)
        WaitForLast73(from, progress);
    WaitClearOfScans();
    if (Text(ID_bRun) == "STOP")
        Click(ID_bRun);
    WaitForRelease(from, 10000);
    outcome.ms = NowMs() - start;

    const std::vector<JournalEvent> events = Journal();
    std::vector<std::string> actions = PeerActions({events.begin() + std::min(from, events.size()), events.end()});
    outcome.problem = CheckContact(actions, plan.cq ? "CQ" : plan.partner, plan.partner);
    std::vector<std::string> markers = {" 27", "R27", "RRR", "73"};
    for (const std::string& call : {ownCall_, plan.partner})
        for (const std::string& part : CallParts(call))
            markers.push_back(part);
    outcome.expected = ExpectedLog(events, markers, from);
    const std::vector<std::string> log = Lines(ReadFile("tavrixlog.txt"));
    outcome.logged.assign(log.begin() + std::min(logBefore, log.size()), log.end());
    return outcome;
}
