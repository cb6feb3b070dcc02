// The rehearsal: an operator's session in real time. With the stand-in WSJT
// on the air beside Tavrix, it types a partner's callsign, presses START,
// follows the contact until WSJT's Tx 5 is pressed and the partner's last 73
// has come in, and presses STOP; then it
// switches Tavrix to CQ and does the same until a listed station that
// answered has been worked. Progress goes to standard output; lines
// beginning with "@screenshot NAME" ask the calling script for a picture of
// the screen. Exits non-zero when a contact did not complete cleanly.
//
//   rehearsal.exe [/fast]   (/fast: the partners answer every half minute)
//
// Runs in TEST_DIR (a Linux path), the stand-in and tavrix.exe come from
// TAVRIX_WIN64_DIR.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/desk_win32.h"

namespace {

const char* const StateNames[] = {"idle", "calling (Auto on)", "sending the report (Tx &2 pressed)",
                                  "sending R27 (Tx &3 pressed)", "sending RRRR (Tx &4 pressed)",
                                  "sending 73 (Tx &5 pressed), waiting for the partner's last 73"};

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

// The message of the partner's latest decode line, "" for none.
std::string LastDecode(const std::vector<JournalEvent>& events)
{
    for (auto e = events.rbegin(); e != events.rend(); ++e) {
        if (e->what.rfind("decode ", 0) == 0 && e->what.size() > 39) {
            const std::string message = e->what.substr(39);
            return e->what.substr(7, 6) + " " + message.substr(0, message.find_last_not_of(' ') + 1);
        }
    }
    return std::string();
}

// Prints a line when the state changes and every ten seconds otherwise;
// asks for a screenshot at each Tx press.
class Progress {
public:
    Progress(const std::string& name, const std::string& shotName) : name_(name), shotName_(shotName) {}
    void operator()(const std::vector<JournalEvent>& events)
    {
        const int state = StateFromJournal(events);
        const long long now = NowMs();
        if (state == state_ && now - said_ < 10000)
            return;
        if (state >= 1 && state != state_)
            Say("@screenshot " + shotName_ + "-tx" + std::to_string(state + 1) + ".png");
        state_ = state;
        said_ = now;
        const std::string decode = LastDecode(events);
        Say(Clock() + "  " + name_ + ": " + StateNames[state + 1] + "; next scan in " +
            std::to_string(SecondsToNextScan()) + " s" + (decode.empty() ? "" : "; last decode " + decode));
    }

private:
    std::string name_;
    std::string shotName_;
    int state_ = -2;
    long long said_ = 0;
};

bool Report(const std::string& name, const ContactOutcome& outcome)
{
    const bool logOk = !outcome.expected.empty() && outcome.logged == outcome.expected;
    Say(Clock() + "  " + name + ": " + (outcome.completed ? "contact complete" : "CONTACT NOT COMPLETE") + " after " +
        std::to_string(outcome.ms / 1000) + " s; WSJT's presses " +
        (outcome.problem.empty() ? "in order" : "WRONG: " + outcome.problem) + "; activity log " +
        (logOk ? "as expected (" + std::to_string(outcome.logged.size()) + " lines)" : "NOT AS EXPECTED"));
    if (!logOk)
        for (const std::string& line : outcome.expected)
            Say("  expected in the log: " + line);
    return outcome.completed && outcome.problem.empty() && logOk;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool fast = argc > 1 && std::strcmp(argv[1], "/fast") == 0;
    const long long limitMs = (fast ? 4 : 6) * 60000;
    Desk desk(EnvPath("TEST_DIR"));
    DeleteFileA(desk.Path("decoded.cum").c_str());
    DeleteFileA(desk.Path("tavrixlog.txt").c_str());
    DeleteFileA(desk.Path("tavrix.adi").c_str());
    desk.WriteFile("call3a.txt", "// Callsign list\r\nQ2AAA,JO22\r\nQ7PQR,KO85,,,Ivan\r\nZZZZZZ,End-of-Database\r\n");
    const std::string fastSwitch = fast ? " /fast" : "";
    if (!desk.StartWsjt("/partner Q9XYZ /behaviour normal /partner Q7PQR /behaviour cq-listed /noise 1" + fastSwitch)) {
        Say("the stand-in WSJT did not start");
        return 2;
    }
    if (!desk.StartTavrix("Q1ABC")) {
        Say("tavrix.exe did not start");
        return 2;
    }
    Say(Clock() + "  WSJT (stand-in) and Tavrix are up. Q9XYZ waits for a sked; Q7PQR answers CQs. Tavrix scans "
                  "decoded.cum at seconds 5 and 35;" + std::string(fast ? " partners answer every half minute." :
                                                                          " one exchange step a minute."));

    Say(Clock() + "  Sked: typing Q9XYZ, pressing START");
    Progress skedProgress("sked Q9XYZ", "sked");
    const bool sked = Report("sked Q9XYZ", desk.WorkContact({false, "Q9XYZ", limitMs, true}, std::ref(skedProgress)));

    Say(Clock() + "  CQ: selecting CQ, pressing START");
    Progress cqProgress("CQ", "cq");
    const bool cq = Report("CQ", desk.WorkContact({true, "Q7PQR", limitMs, true}, std::ref(cqProgress)));

    Say("\n==== activity log (tavrixlog.txt)\n" + desk.ReadFile("tavrixlog.txt"));
    Say("==== the stand-in WSJT's journal\n" + desk.ReadFile("wsjt.journal"));
    const std::string contacts = desk.ReadFile("tavrix.adi");
    Say("==== contacts for the logbook (tavrix.adi)\n" + contacts);
    const bool recorded = contacts.find("<CALL:5>Q9XYZ ") != std::string::npos &&
                          contacts.find("<CALL:5>Q7PQR ") != std::string::npos;
    if (!recorded)
        Say("CONTACTS FILE WRONG: a record for each contact was expected");
    return sked && cq && recorded ? 0 : 1;
}
