#include "tools/journal.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

constexpr long long Day = 24LL * 3600 * 1000;
constexpr int FreshSeconds = 55;  // how far back a scan of Tavrix looks

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

bool Holds(const std::string& text, const std::string& part)
{
    return !part.empty() && text.find(part) != std::string::npos;
}

bool IsCall(const std::string& action) { return StartsWith(action, "toradio ") && action != "toradio 12345"; }

}  // namespace

std::vector<JournalEvent> ParseJournal(const std::string& text)
{
    std::vector<JournalEvent> events;
    std::istringstream in(text);
    long long days = 0;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        unsigned h, m, s, ms;
        int used = 0;
        if (std::sscanf(line.c_str(), "%2u:%2u:%2u.%3u %n", &h, &m, &s, &ms, &used) != 4 || used != 13)
            continue;
        long long at = ((h * 60LL + m) * 60 + s) * 1000 + ms + days * Day;
        if (!events.empty() && at + Day / 2 < events.back().ms) {
            ++days;
            at += Day;
        }
        events.push_back({at, line.substr(13)});
    }
    return events;
}

std::vector<std::string> PeerActions(const std::vector<JournalEvent>& events)
{
    std::vector<std::string> actions;
    for (const JournalEvent& e : events) {
        if (StartsWith(e.what, "toradio "))
            actions.push_back(e.what);
        else if (StartsWith(e.what, "press "))
            actions.push_back(e.what.substr(0, e.what.find(" tx=")));
    }
    return actions;
}

std::vector<ToRadioChange> ToRadioChanges(const std::vector<JournalEvent>& events)
{
    std::vector<ToRadioChange> changes;
    int txFirst = -1;
    for (const JournalEvent& e : events) {
        if (e.what == "txfirst on" || e.what == "txfirst off")
            txFirst = e.what == "txfirst on";
        else if (StartsWith(e.what, "toradio "))
            changes.push_back({e.what.substr(8), txFirst});
    }
    return changes;
}

int StateFromJournal(const std::vector<JournalEvent>& events)
{
    int state = -1;
    for (const std::string& a : PeerActions(events)) {
        if (a == "toradio 12345")
            state = -1;
        else if (a == "press &Auto is OFF")
            state = 0;
        else if (StartsWith(a, "press Tx &") && a.size() == 11 && a[10] >= '2' && a[10] <= '5')
            state = a[10] - '1';
    }
    return state;
}

std::string CheckContact(const std::vector<std::string>& actions, const std::string& called,
                         const std::string& partner)
{
    std::vector<std::string> expected = {"toradio " + called, "press &Lookup", "press &Lookup",
                                         "press &Gen Std Msgs", "press &Gen Std Msgs", "press &Auto is OFF"};
    if (called != partner)  // CQ: the caller is taken up
        expected.insert(expected.end(), {"toradio " + partner, "press &Gen Std Msgs", "press &Gen Std Msgs"});
    std::size_t i = 0;
    for (; i < expected.size(); ++i) {
        if (i >= actions.size() || actions[i] != expected[i])
            return "action " + std::to_string(i + 1) + ": expected \"" + expected[i] + "\", got \"" +
                   (i < actions.size() ? actions[i] : "nothing") + "\"";
    }
    char last = '1';
    for (; i < actions.size() && StartsWith(actions[i], "press Tx &"); ++i) {
        const char tx = actions[i].back();
        if (tx <= last || tx < '2' || tx > '5')
            return "\"" + actions[i] + "\" after Tx " + last;
        last = tx;
    }
    if (last != '5')
        return std::string("the contact ended at Tx ") + last;
    const std::vector<std::string> release = {"toradio 12345", "press &Auto is ON"};
    if (actions.size() - i != release.size() || !std::equal(release.begin(), release.end(), actions.begin() + i))
        return "no plain release after Tx 5";
    return std::string();
}

std::vector<std::string> ExpectedLog(const std::vector<JournalEvent>& events, const std::vector<std::string>& markers,
                                     std::size_t from)
{
    long long start = -1, stop = -1;
    for (std::size_t i = from; i < events.size() && stop < 0; ++i) {
        if (start < 0 && IsCall(events[i].what))
            start = events[i].ms;
        else if (start >= 0 && events[i].what == "toradio 12345")
            stop = events[i].ms;
    }
    std::vector<std::string> logged;
    if (start < 0 || stop < 0)
        return logged;
    for (const JournalEvent& e : events) {
        if (!StartsWith(e.what, "decode ") || e.what.size() < 13)
            continue;
        const std::string line = e.what.substr(7);
        const std::string message = line.size() > 32 ? line.substr(32) : std::string();
        bool marked = false;
        for (const std::string& m : markers)
            marked = marked || Holds(message, m);
        if (!marked)
            continue;
        const int h = std::stoi(line.substr(0, 2)), m = std::stoi(line.substr(2, 2)), s = std::stoi(line.substr(4, 2));
        const long long written = e.ms / 1000;
        const long long age = ((written % (Day / 1000)) - (h * 3600LL + m * 60 + s) + Day / 1000) % (Day / 1000);
        const long long stamp = written - age;
        // Scans fall at seconds 5 and 35: the first after the write, and
        // the next while the line is still fresh.
        for (long long scan = written + 1; scan - stamp < FreshSeconds; ++scan) {
            if (scan % 30 == 5 && scan * 1000 > start && scan * 1000 < stop) {
                logged.push_back(line);
                break;
            }
        }
    }
    return logged;
}
