// A night of skeds, worked by Tavrix alone: the operator's part is to start
// the stand-in WSJT with the night's partners and Tavrix with "Follow the
// skeds" ticked, press START once and watch. It prints what Tavrix's status
// bar says as it changes, the Skeds page's State column as it changes, each
// contact record as it is written and, when the run has ended ("Skeds
// done"), what was worked and what was missed. Lines "@memory NAME",
// "@screenshot NAME" and "@skeds-page" ask the calling script to measure
// tavrix.exe's memory, to photograph the screen or to bring the Skeds page
// up as an operator would. Exits non-zero when an entry that should have
// reached its contact did not, or the records are not one per contact.
//
//   night.exe /wsjt "SWITCHES" [/restart HH:MM] [/maymiss CALL,CALL]
//             [/limit MINUTES] [/verbose]
//
//   /wsjt     the stand-in's switches (its partners)
//   /restart  the local time at which WSJT is closed and started again
//   /maymiss  stations whose entries may end without a contact
//   /limit    real minutes the run may take at most (default 15)
//   /verbose  also print the decodes as they come, and at the end the
//             activity log and the stand-in's journal
//
// Runs in TEST_DIR, which holds skeds.txt and call3a.txt; the stand-in and
// tavrix.exe come from TAVRIX_WIN64_DIR. TAVRIX_RIG, when set, is the Rig
// setting (rigctld's host:port) of the night's tavrix.ini.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tools/desk_win32.h"
#include "tools/skeds_page_win32.h"
#include "ui/sfmMain_win32.h"

namespace {

struct NightOptions {
    std::string wsjt;
    std::string restartAt;  // "HH:MM", "" for never
    std::vector<std::string> mayMiss;
    long long limitMs = 15 * 60000;
    bool verbose = false;
};

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string Join(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

NightOptions ParseArguments(int argc, char** argv)
{
    NightOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "/wsjt" && hasValue)
            o.wsjt = argv[++i];
        else if (a == "/restart" && hasValue)
            o.restartAt = argv[++i];
        else if (a == "/maymiss" && hasValue)
            o.mayMiss = Split(argv[++i], ',');
        else if (a == "/limit" && hasValue)
            o.limitMs = std::atoll(argv[++i]) * 60000;
        else if (a == "/verbose")
            o.verbose = true;
    }
    return o;
}

// The stations of the schedule's entry lines, in file order: the fourth
// field, a period and a frequency may follow.
std::vector<std::string> EntryStations(const std::string& skeds)
{
    std::vector<std::string> stations;
    for (std::string line : Split(skeds, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::vector<std::string> fields = Split(line, ' ');
        if (fields.size() >= 4 && fields[0][0] != '#')
            stations.push_back(fields[3]);
    }
    return stations;
}

// The callsign of each record of the contacts file, in order.
std::vector<std::string> RecordCalls(const std::string& adif)
{
    std::vector<std::string> calls;
    for (std::size_t at = 0; (at = adif.find("<CALL:", at)) != std::string::npos;) {
        const std::size_t close = adif.find('>', at);
        if (close == std::string::npos)
            break;
        const std::size_t length = std::strtoul(adif.c_str() + at + 6, nullptr, 10);
        calls.push_back(adif.substr(close + 1, length));
        at = close + 1;
    }
    return calls;
}

std::string Shape(const std::string& status)
{
    std::string shape;
    for (char c : status)
        if (c < '0' || c > '9')
            shape += c;
    return shape;
}

// Everything seen while the night runs, printed as it changes.
class Watch {
public:
    Watch(const Desk& desk, bool verbose) : desk_(desk), verbose_(verbose) {}

    void Look()
    {
        const std::string status = desk_.Status();
        if (Shape(status) != shape_) {
            shape_ = Shape(status);
            std::string shown = status;
            std::replace(shown.begin(), shown.end(), '\t', '|');
            // The status bar's ellipsis, one byte of the ANSI code page, is no
            // character of the terminal's.
            for (std::size_t at; (at = shown.find('\x85')) != std::string::npos;)
                shown.replace(at, 1, "...");
            Say(Clock() + "  status: " + shown);
            lastStatus = status;
        }
        const std::vector<std::string> states = SkedStates(desk_.tavrixWindow);
        if (states != states_ && !states.empty()) {
            states_ = states;
            Say(Clock() + "  Skeds page State: " + Join(states, " | "));
            if (verbose_)
                Say("@screenshot night-" + std::to_string(++shots_ + 100).substr(1) + ".png");
            contacts_.resize(states.size());
            for (std::size_t i = 0; i < states.size(); ++i)
                if (states[i].rfind("contact ", 0) == 0)
                    contacts_[i] = states[i];
        }
        const std::vector<std::string> records = RecordCalls(desk_.ReadFile("tavrix.adi"));
        for (; recordsSeen_ < records.size(); ++recordsSeen_)
            Say(Clock() + "  contact record written: " + records[recordsSeen_]);
        if (verbose_)
            PrintDecodes();
    }
    // Each row's last State, or its "contact HH:MM" once it showed one: a
    // run that has ended may show its entries as past.
    std::vector<std::string> States() const
    {
        std::vector<std::string> states = states_;
        for (std::size_t i = 0; i < states.size() && i < contacts_.size(); ++i)
            if (!contacts_[i].empty())
                states[i] = contacts_[i];
        return states;
    }
    std::string lastStatus;

private:
    void PrintDecodes()
    {
        const std::vector<JournalEvent> events = desk_.Journal();
        for (; decodesSeen_ < events.size(); ++decodesSeen_) {
            const std::string& what = events[decodesSeen_].what;
            if (what.rfind("txfirst ", 0) == 0)
                txFirst_ = what.substr(8) == "on" ? "ticked: we transmit first" : "unticked: we transmit second";
            if (what.rfind("toradio ", 0) == 0 && what != "toradio 12345")
                Say(Clock() + "  WSJT calls " + what.substr(8) + ", Tx First " + txFirst_);
            if (what.rfind("decode ", 0) == 0 && what.size() > 39)
                Say(Clock() + "  decoded: " + what.substr(7, 6) + " " +
                    what.substr(39, what.find_last_not_of(' ') - 38));
        }
    }

    const Desk& desk_;
    bool verbose_;
    std::string shape_ = "-";
    std::vector<std::string> states_;
    std::vector<std::string> contacts_;
    std::string txFirst_ = "not journaled";
    std::size_t recordsSeen_ = 0;
    std::size_t decodesSeen_ = 0;
    int shots_ = 0;
};

// The script measures tavrix.exe from outside while it still runs.
void Memory(const char* when)
{
    Say(std::string("@memory ") + when);
    Sleep(5000);
}

bool ReachedLocal(const std::string& hhmm)
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    char now[8];
    std::snprintf(now, sizeof now, "%02u:%02u", t.wHour, t.wMinute);
    return hhmm == now;
}

// START with the skeds followed: a refusal comes as a message box.
bool PressStart(Desk& desk)
{
    Say(Clock() + "  pressing START (Follow the skeds ticked in tavrix.ini)");
    PostMessageA(desk.Control(ID_bRun), BM_CLICK, 0, 0);
    for (long long end = NowMs() + 30000; NowMs() < end; Sleep(200))
        if (desk.Text(ID_bRun) == "STOP")
            return true;
    Say("START did not arm the run; status: " + desk.Status());
    return false;
}

// The night's outcome: each entry worked or missed, the records one per contact.
bool Report(const std::vector<std::string>& stations, const std::vector<std::string>& states,
            const std::vector<std::string>& records, const NightOptions& options)
{
    bool ok = states.size() == stations.size();
    if (!ok)
        Say("THE SKEDS PAGE SHOWS " + std::to_string(states.size()) + " ROWS, the file has " +
            std::to_string(stations.size()) + " entries");
    std::map<std::string, int> recordsOf;
    for (const std::string& call : records)
        ++recordsOf[call];
    int cqRecords = 0;
    for (const std::string& call : records)
        cqRecords += std::find(stations.begin(), stations.end(), call) == stations.end();
    int worked = 0, missed = 0;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const std::string& station = stations[i];
        std::string state = i < states.size() ? states[i] : "?";
        bool contact = state.rfind("contact ", 0) == 0;
        // A CQ slot's contact is with whoever answered: its record names them.
        if (station == "CQ" && !contact && cqRecords > 0) {
            --cqRecords;
            contact = true;
            state += " (a record of a CQ answer)";
        }
        const bool allowed = std::find(options.mayMiss.begin(), options.mayMiss.end(), station) != options.mayMiss.end();
        contact ? ++worked : ++missed;
        Say("  entry " + std::to_string(i + 1) + " " + station + ": " + state +
            (contact ? "" : allowed ? " (missed, as its partner vanished)" : " MISSED"));
        ok = ok && (contact || allowed);
        if (station != "CQ" && recordsOf[station] != (contact ? 1 : 0)) {
            Say("  RECORDS OF " + station + ": " + std::to_string(recordsOf[station]));
            ok = false;
        }
    }
    Say("contacts completed: " + std::to_string(worked) + " of " + std::to_string(stations.size()) +
        " entries; missed entries: " + std::to_string(missed));
    Say("records written (tavrix.adi): " + std::to_string(records.size()) + " (" + Join(records, ", ") + ")");
    if (int(records.size()) != worked) {
        Say("RECORDS ARE NOT ONE PER CONTACT");
        ok = false;
    }
    return ok;
}

// Watches until the run has ended (the caption is START again), closing
// and starting WSJT again at its time; false when the run did not end in time.
bool WatchUntilRunEnds(Desk& desk, Watch& watch, const NightOptions& options)
{
    bool restarted = options.restartAt.empty();
    int lastHour = -1;  // memory is read at each full hour of the night
    for (const long long end = NowMs() + options.limitMs; NowMs() < end; Sleep(250)) {
        watch.Look();
        SYSTEMTIME t;
        GetLocalTime(&t);
        if (t.wMinute == 0 && t.wHour != lastHour) {
            lastHour = t.wHour;
            char when[16];
            std::snprintf(when, sizeof when, "hour %02u:00", t.wHour);
            Memory(when);
        }
        if (!restarted && ReachedLocal(options.restartAt)) {
            restarted = true;
            Say(Clock() + "  closing WSJT and starting it again");
            Say(Clock() + (desk.RestartWsjt(options.wsjt) ? "  WSJT is up again" : "  WSJT DID NOT START AGAIN"));
        }
        if (desk.Text(ID_bRun) == "START")
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    const NightOptions options = ParseArguments(argc, argv);
    Desk desk(EnvPath("TEST_DIR"));
    const std::vector<std::string> stations = EntryStations(desk.ReadFile("skeds.txt"));
    Say(Clock() + "  the schedule (skeds.txt):\n" + desk.ReadFile("skeds.txt"));
    const char* rig = std::getenv("TAVRIX_RIG");
    const std::string rigIni = rig && *rig ? std::string("Rig=") + rig + "\r\n" : "";
    if (!desk.StartWsjt(options.wsjt) ||
        !desk.StartTavrix("Q1ABC", "FollowSkeds=1\r\nSkeds=" + desk.Path("skeds.txt") + "\r\n" + rigIni)) {
        Say("the stand-in WSJT or tavrix.exe did not start");
        return 2;
    }
    Say(Clock() + "  WSJT (stand-in: " + options.wsjt + ") and Tavrix are up");
    Memory("start");
    if (!PressStart(desk))
        return 1;
    Say("@skeds-page");

    Watch watch(desk, options.verbose);
    const bool ended = WatchUntilRunEnds(desk, watch, options);
    Sleep(1500);
    watch.Look();
    Say("@screenshot night-end.png");
    Memory("end");
    if (!ended)
        Say("THE RUN DID NOT END within " + std::to_string(options.limitMs / 60000) + " real minutes");
    const bool done = watch.lastStatus.rfind("Skeds done", 0) == 0;
    if (!done)
        Say("THE STATUS BAR DOES NOT SAY \"Skeds done\"");

    if (options.verbose) {
        Say("\n==== activity log (tavrixlog.txt)\n" + desk.ReadFile("tavrixlog.txt"));
        Say("==== the stand-in WSJT's journal\n" + desk.ReadFile("wsjt.journal"));
    }
    const std::string adif = desk.ReadFile("tavrix.adi");
    Say("==== contacts for the logbook (tavrix.adi)\n" + adif);
    Say("==== the night");
    const bool ok = Report(stations, watch.States(), RecordCalls(adif), options);
    return ok && ended && done ? 0 : 1;
}
