// The decode scanner: follows the contact through WSJT's decoded file,
// copies the lines that concern it to the activity log and, in CQ mode,
// takes up a station that answers.
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/run.h"
#include "engine/scan_rules.h"

namespace {

// "Не удалось загрузить decoded.cum" (Windows-1251).
const char LoadFailedText[] =
    "\xCD\xE5 \xF3\xE4\xE0\xEB\xEE\xF1\xFC \xE7\xE0\xE3\xF0\xF3\xE7\xE8\xF2\xFC decoded.cum";

// Words of four characters or fewer are fragments, not callsigns.
constexpr std::size_t MinCallLength = 5;
constexpr std::size_t NoLine = static_cast<std::size_t>(-1);

// One scan over the loaded lines. Lives for one call of ScanDecoded.
struct Scan {
    Run& run;
    const TextLines& decoded;
    const std::string ownCall;
    const bool callerSearch;  // CQ mode while calling
    unsigned cursor;          // the state the contact has reached so far
    std::size_t firstFresh = NoLine;
    std::string logLine;      // reused so logging allocates once per scan

    Scan(Run& run, const TextLines& decoded)
        : run(run), decoded(decoded), ownCall(run.choices.OwnCall()),
          callerSearch(run.choices.CqMode() && run.FState == 0),
          cursor(static_cast<unsigned>(run.FState)) {}

    void Line(std::size_t index);
    void Log(std::string_view line);
    bool SearchCaller(std::size_t index, std::string_view message);
    std::string Autodetect();
    void EnterCaller(const std::string& call);
};

void Scan::Line(std::size_t index)
{
    const std::string_view line = decoded[index];
    const std::string_view message = MessageOf(line);
    for (const std::string& token : run.LogTokens) {
        if (Occurs(token, message)) {
            Log(line);
            break;
        }
    }
    if (callerSearch && !SearchCaller(index, message))
        return;
    if (cursor <= 4)
        cursor = WalkProgression(cursor, message, run.Progression);
}

// The whole line and its CR LF in one write, so a line is never split
// between two writers of the file.
void Scan::Log(std::string_view line)
{
    if (!run.LogOpen)
        return;
    logLine.assign(line);
    logLine += "\r\n";
    run.platform.WriteFile(run.LogHandle, logLine.data(), logLine.size());
}

// True when the line goes on to the progression walk.
bool Scan::SearchCaller(std::size_t index, std::string_view message)
{
    if (firstFresh == NoLine)
        firstFresh = index;
    if (Occurs("CQ", message))
        return false;
    const bool ownCallSeen = Occurs(ownCall, message);
    const std::string* listed = nullptr;
    if (run.CallList) {
        for (const std::string& call : *run.CallList) {
            if (call != ownCall && Occurs(call, message)) {
                listed = &call;
                break;
            }
        }
    }
    if (ownCallSeen && listed)
        EnterCaller(*listed);
    if (cursor != 0)
        return true;
    if (index + 1 != decoded.size() || !ownCallSeen || !run.choices.AutodetectCall())
        return false;
    const std::string repeated = Autodetect();
    if (!repeated.empty())
        EnterCaller(repeated);
    return true;
}

// The first, in the locale's order, of the words that occur at least twice
// in the messages from the first fresh line to the last; empty for none.
std::string Scan::Autodetect()
{
    std::vector<std::string> words;
    for (std::size_t i = firstFresh; i < decoded.size(); ++i) {
        std::string_view rest = MessageOf(decoded[i]);
        while (!rest.empty()) {
            const std::size_t blank = std::min(rest.find(' '), rest.size());
            const std::string_view word = rest.substr(0, blank);
            if (word.size() >= MinCallLength && word != ownCall)
                words.emplace_back(word);
            rest.remove_prefix(std::min(blank + 1, rest.size()));
        }
    }
    // Byte order among words the locale calls equal keeps copies of one
    // word next to each other, where the search below finds them.
    Platform& platform = run.platform;
    std::sort(words.begin(), words.end(), [&platform](const std::string& a, const std::string& b) {
        const int order = platform.CompareNoCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    const auto repeat = std::adjacent_find(words.begin(), words.end());
    return repeat == words.end() ? std::string() : *repeat;
}

void Scan::EnterCaller(const std::string& call)
{
    cursor = 1;
    run.caller = call;
    run.Enter(pcToRadio, call);
    run.Press(pcGenStd);
    run.Press(pcGenStd);
    run.TickCount = 0;
}

int SecondsOfDay(const LocalTime& time)
{
    return time.hour * 3600 + time.minute * 60 + time.second;
}

}  // namespace

void Run::ScanDecoded()
{
    if (FState == -1)
        return;
    const int scanSecond = SecondsOfDay(platform.Now());
    TextLines& decoded = DecodedLines;
    decoded.clear();

    // Fresh lines are picked out while each piece of the file is in cache;
    // nothing is done with them until the whole file has been read.
    std::vector<std::size_t> fresh;
    const FreshFilter isFresh(scanSecond);
    const auto pickFresh = [&](std::size_t from, std::size_t to) {
        if (from == 0)
            fresh.clear();
        for (std::size_t i = from; i < to; ++i) {
            if (isFresh(decoded[i]))
                fresh.push_back(i);
        }
    };
    const std::string name = choices.DecodedText();
    troubles &= ~(DecodedMissing | DecodedUnreadable);
    if (!platform.FileExists(name)) {
        troubles |= DecodedMissing;
        return;
    }
    if (!ReadTextLines(platform, name, decoded, pickFresh)) {
        troubles |= DecodedUnreadable;
        // The box is modal and the clock keeps scanning inside it: one box
        // is enough, later failures end quietly until it is closed.
        if (!FLoadBoxOpen) {
            FLoadBoxOpen = true;
            struct Reset {
                bool& flag;
                ~Reset() { flag = false; }
            } reset{FLoadBoxOpen};  // also when the box throws
            platform.ShowMessage(LoadFailedText);
        }
        return;
    }

    Scan scan(*this, decoded);
    for (std::size_t i : fresh)
        scan.Line(i);
    SetState(static_cast<std::int32_t>(std::min(scan.cursor, 4u)));
}
