// The rehearsal: an operator's session in real time. With the stand-in WSJT
// on the air beside Tavrix, it types a partner's callsign, presses START,
// follows the contact until WSJT's Tx 5 is pressed and the partner's last 73
// has come in, and presses STOP; then it switches Tavrix to CQ and does the
// same until a listed station that answered has been worked. It prints what
// Tavrix's status bar says as it changes, and the partners' decodes as they
// come; lines beginning with "@screenshot NAME" ask the calling script for a
// picture of the screen, one at each new status. Exits non-zero when a
// contact did not complete cleanly.
//
//   rehearsal.exe [/fast]   (/fast: the partners answer every half minute)
//
// Runs in TEST_DIR (a Linux path), the stand-in and tavrix.exe come from
// TAVRIX_WIN64_DIR.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/desk_win32.h"

namespace {

// A decode event's stamp and message, "" for other events.
std::string Decode(const JournalEvent& event)
{
    if (event.what.rfind("decode ", 0) != 0 || event.what.size() <= 39)
        return std::string();
    const std::string message = event.what.substr(39);
    return event.what.substr(7, 6) + " " + message.substr(0, message.find_last_not_of(' ') + 1);
}

// The status with its numbers left out: countdowns alone do not make a new
// status worth printing.
std::string Shape(const std::string& status)
{
    std::string shape;
    for (char c : status)
        if (c < '0' || c > '9')
            shape += c;
    return shape;
}

// Prints Tavrix's status bar whenever it says something new, and the
// decodes since START as they come; asks for a screenshot at each new status.
class Progress {
public:
    Progress(const Desk& desk, const std::string& name) : desk_(desk), name_(name) {}

    void operator()(const std::vector<JournalEvent>& events)
    {
        for (; decodesSeen_ < events.size(); ++decodesSeen_)
            if (const std::string decode = Decode(events[decodesSeen_]); !decode.empty())
                Say(Clock() + "  " + name_ + " decoded: " + decode);
        Look();
    }
    // After STOP: the status a tick later.
    void Final()
    {
        Sleep(1500);
        Look();
    }

    std::vector<std::string> met;  // "name: " and the first text of each new status, in order

private:
    void Look()
    {
        const std::string status = desk_.Status();
        if (Shape(status) == shape_)
            return;
        shape_ = Shape(status);
        std::string shown = status;
        std::replace(shown.begin(), shown.end(), '\t', '|');
        met.push_back(name_ + ": " + shown);
        Say(Clock() + "  " + name_ + " status: " + shown);
        char shot[64];
        std::snprintf(shot, sizeof shot, "@screenshot %s-%02zu.png", name_.c_str(), met.size());
        Say(shot);
    }

    const Desk& desk_;
    std::string name_;
    std::string shape_ = "-";
    std::size_t decodesSeen_ = 0;
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
                                                                          " one exchange step a minute.") +
        " Tavrix's status bar: " + desk.Status());

    Say(Clock() + "  Sked: typing Q9XYZ, pressing START");
    Progress sked(desk, "sked");
    const bool skedDone = Report("sked Q9XYZ", desk.WorkContact({false, "Q9XYZ", limitMs, true}, std::ref(sked)));
    sked.Final();

    Say(Clock() + "  CQ: selecting CQ, pressing START");
    Progress cq(desk, "cq");
    const bool cqDone = Report("CQ", desk.WorkContact({true, "Q7PQR", limitMs, true}, std::ref(cq)));
    cq.Final();

    Say("\n==== Tavrix's status bar said");
    for (const Progress* run : {&sked, &cq})
        for (const std::string& status : run->met)
            Say("  " + status);

    Say("\n==== activity log (tavrixlog.txt)\n" + desk.ReadFile("tavrixlog.txt"));
    Say("==== the stand-in WSJT's journal\n" + desk.ReadFile("wsjt.journal"));
    const std::string contacts = desk.ReadFile("tavrix.adi");
    Say("==== contacts for the logbook (tavrix.adi)\n" + contacts);
    const bool recorded = contacts.find("<CALL:5>Q9XYZ ") != std::string::npos &&
                          contacts.find("<CALL:5>Q7PQR ") != std::string::npos;
    if (!recorded)
        Say("CONTACTS FILE WRONG: a record for each contact was expected");
    return skedDone && cqDone && recorded ? 0 : 1;
}
