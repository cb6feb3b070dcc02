// The operator's desk, for the end-to-end contact tests and the rehearsal:
// starts the stand-in WSJT with its partner stations and tavrix.exe from a
// folder of their own, types into Tavrix's window and presses its buttons as
// an operator would (by window messages from this process), works whole
// contacts and reads the stand-in's journal.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tools/journal.h"

// A Linux path as Wine's Z: drive shows it.
std::string WinePath(const std::string& unixPath);
// The Linux path in environment variable `name` as a Windows path; "" when unset.
std::string EnvPath(const char* name);
long long NowMs();
// A line on standard output at once, for the rehearsal's and the night's
// running commentary.
void Say(const std::string& text);
// The local time of day, "hh:mm:ss", to put in front of such a line.
std::string Clock();
// Waits for `object` while answering messages sent to this thread's
// windows, which a closing window of another process may wait on.
bool WaitPumping(HANDLE object, DWORD waitMs);
// The first descendant of `parent` with control id `id`, or null.
HWND Child(HWND parent, int id);
// What a status bar of another process shows, as engine/status.h writes it:
// its first part's text, and when it has a second part with text, a tab and
// that text. "" when the bar does not answer.
std::string StatusBarText(HWND bar);
// The rows of a report-style list view of another process (the Skeds page's
// ID_lvSkeds), each its columns' texts; empty when the list does not answer.
std::vector<std::vector<std::string>> ListViewRows(HWND list, int columns);

struct ContactPlan {
    bool cq = false;        // CQ mode; otherwise a sked with `partner`
    std::string partner;    // the partner's callsign
    long long limitMs = 0;  // how long to wait for Tx 5 at most
    // After Tx 5, let our 73 go out and the partner's last 73 be decoded and
    // scanned before STOP, as an operator would, so that nothing of this
    // contact is left on the air for the next one.
    bool waitForLast73 = false;
};

struct ContactOutcome {
    bool completed = false;              // Tx 5 was pressed within the limit
    long long ms = 0;                    // from START to the release after STOP
    std::string problem;                 // what is wrong with WSJT's presses, "" for nothing
    std::vector<std::string> expected;   // decode lines the activity log should have got
    std::vector<std::string> logged;     // what it did get during this contact
};

class Desk {
public:
    // Files live in `folder` (a Windows path), which must exist.
    explicit Desk(const std::string& folder);
    ~Desk();  // closes both programs, ending them if they will not close
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    // The stand-in from TAVRIX_WIN64_DIR, journaling to wsjt.journal and
    // writing decoded.cum in the folder; `switches` name its partners.
    bool StartWsjt(const std::string& switches);
    // Closes the stand-in as a person would and starts it again, its
    // journal going on where it was; its partners start afresh.
    bool RestartWsjt(const std::string& switches);
    // tavrix.exe copied into the folder with a tavrix.ini that points its
    // files into the folder and leaves decoded.cum alone; `moreIni` are
    // further "Key=value\r\n" lines of its [Options].
    bool StartTavrix(const std::string& ownCall, const std::string& moreIni = "");

    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
    void WriteFile(const std::string& name, const std::string& content) const;
    std::string ReadFile(const std::string& name) const;
    std::vector<JournalEvent> Journal() const;

    HWND Control(int id) const;
    std::string Text(int id) const;
    // Tavrix's status bar (StatusBarText).
    std::string Status() const;
    bool SetText(int id, const std::string& text) const;
    // BM_CLICK, so that the window's own click handler runs; bounded.
    bool Click(int id) const;

    // Selects the mode, types the callsign, presses START, waits for Tx 5,
    // presses STOP and checks what happened. `progress` is called about
    // once a second with the journal's events since START.
    ContactOutcome WorkContact(const ContactPlan& plan,
                               const std::function<void(const std::vector<JournalEvent>&)>& progress = {});

    HWND wsjtWindow = nullptr;
    HWND tavrixWindow = nullptr;

private:
    bool Start(const std::string& exe, const std::string& arguments, PROCESS_INFORMATION& process);
    void Close(PROCESS_INFORMATION& process, HWND window);
    bool WaitForRelease(std::size_t from, long long limitMs) const;
    void WaitForLast73(std::size_t from, const std::function<void(const std::vector<JournalEvent>&)>& progress);
    std::vector<JournalEvent> JournalSince(std::size_t from) const;

    std::string folder_;
    std::string ownCall_;
    PROCESS_INFORMATION wsjt_{};
    PROCESS_INFORMATION tavrix_{};
};
