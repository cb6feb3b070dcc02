// The decode scanner: follows the contact through WSJT's decoded file,
// copies the lines that concern it to the activity log and, in CQ mode,
// takes up a station that answers. Only the file's newest lines can be
// fresh: the file is read back from its end to where they begin, then
// through them in file order, each line examined as its piece arrives. What
// the scan decides is done only after they have been read, so a read that
// fails halfway leaves no trace (but for the lines to log beyond
// HeldLogBytes, written as they come).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/repeated_word.h"
#include "engine/run.h"
#include "engine/scan_rules.h"

namespace {

// "Не удалось загрузить decoded.cum" (Windows-1251).
const char LoadFailedText[] =
    "\xCD\xE5 \xF3\xE4\xE0\xEB\xEE\xF1\xFC \xE7\xE0\xE3\xF0\xF3\xE7\xE8\xF2\xFC decoded.cum";

// Words of four characters or fewer are fragments, not callsigns.
constexpr std::size_t MinCallLength = 5;
constexpr std::size_t NoLine = static_cast<std::size_t>(-1);
constexpr std::uint64_t NoOffset = static_cast<std::uint64_t>(-1);
// Lines to log are held until the scan's end up to this much; a scan of
// more (a file whose every line is fresh) writes them as they come, so its
// memory stays bounded.
constexpr std::size_t HeldLogBytes = 1 << 20;
// Lines to log go out whole, several to a write, in writes of about this.
constexpr std::size_t LogWriteBytes = 64 * 1024;
// The partner's decodes are held one by one up to this many in a scan; the
// later ones are counted with the last.
constexpr std::size_t HeldDecodes = 1000;

// One scan over the decoded file. Lives for one call of ScanDecoded.
struct Scan {
    Run& run;
    LineReader& reader;
    const std::string ownCall;
    const bool callerSearch;  // CQ mode while calling
    const AnyOccurs hasLogToken;
    unsigned cursor;          // the state the contact has reached so far
    std::size_t lines = 0;    // read so far
    std::uint64_t firstFresh = NoOffset;  // where the first fresh line begins
    // A fresh line that goes on to autodetection if it turns out to be the
    // file's last: its number and message.
    std::size_t lastCandidate = NoLine;
    std::string candidateMessage;
    int candidateStamp = -1;
    // The stamp of the line where the contact first got past calling (0):
    // when the partner was first heard. -1 until then.
    int heardStamp = -1;
    // What the lines asked for, done once the file has been read: the lines
    // to log, each with its CR LF, and the callers to enter, each with how
    // many bytes were logged before it.
    std::string logLines;
    std::uint64_t written = 0;  // of the logged bytes, those written early
    struct Caller {
        std::uint64_t loggedBefore;
        std::string call;
    };
    std::vector<Caller> callers;
    // The partner's decodes for the night, among the lines no earlier scan
    // read (from `countFrom` on): each with the step the contact stood at
    // after it. `worked` is the station worked: the sked's partner, or the
    // CQ entry's caller once one was taken up.
    struct Decode {
        int stamp;
        int step;
        std::int64_t count;
        std::string text;
    };
    std::vector<Decode> decodes;
    std::string worked;
    std::uint64_t countFrom = 0, fileSize = 0;
    std::uint64_t candidateOffset = 0;

    Scan(Run& run, LineReader& reader)
        : run(run), reader(reader), ownCall(run.choices.OwnCall()),
          callerSearch(run.CqMode() && run.FState == 0), hasLogToken(run.LogTokens),
          cursor(static_cast<unsigned>(run.FState)),
          worked(!run.CqMode() ? run.Progression[0] : run.FState > 0 ? run.caller : std::string()) {}

    bool Read(FileHandle file, int scanSecond, FreshTail& tail, std::uint64_t counted);
    void Line(std::string_view line);
    void Count(std::uint64_t offset, std::string_view message, unsigned before, int stamp);
    void Log(std::string_view line);
    void Heard(int stamp);
    bool SearchCaller(std::string_view line, std::string_view message);
    bool LastLine(FileHandle file);
    bool Autodetect(FileHandle file, std::string& repeated);
    void EnterCaller(const std::string& call);
    void Apply();
    void WriteLog(std::uint64_t to);
};

// Reads the open file and examines its fresh lines in file order. False
// when a read fails.
bool Scan::Read(FileHandle file, int scanSecond, FreshTail& tail, std::uint64_t counted)
{
    std::uint64_t& size = fileSize;
    std::uint64_t begin = 0;
    if (!run.platform.FileSize(file, size) || !tail.Find(run.platform, file, size, scanSecond, begin))
        return false;
    // A shorter file than last time is a new one: all of it is new.
    countFrom = size < counted ? 0 : counted;
    // Lines without a stamp are passed over among the fresh ones.
    const FreshFilter isFresh(scanSecond);
    const bool read = reader.Read(run.platform, file, begin, [&](std::string_view line) {
        ++lines;
        if (isFresh(line))
            Line(line);
    });
    return read && LastLine(file);
}

void Scan::Line(std::string_view line)
{
    const std::string_view message = MessageOf(line);
    if (hasLogToken(message))
        Log(line);
    if (callerSearch && !SearchCaller(line, message))
        return;
    const unsigned before = cursor;
    if (cursor <= 4)
        cursor = WalkProgression(cursor, message, run.Progression);
    Heard(StampOf(line));
    Count(reader.OffsetOf(line), message, before, StampOf(line));
}

// Only while an entry of a schedule is worked: the night is its record.
void Scan::Count(std::uint64_t offset, std::string_view message, unsigned before, int stamp)
{
    if (offset < countFrom || !run.skeds.Current() || (run.CqMode() && worked.empty()))
        return;
    if (cursor == before && !PartnersDecode(message, worked, ownCall, run.Progression, cursor > 0))
        return;
    const int step = std::max(0, NightStepOfState(std::min(cursor, 4u)));
    if (decodes.size() == HeldDecodes) {
        Decode& last = decodes.back();
        ++last.count;
        last.stamp = stamp;
        last.step = std::max(last.step, step);
        return;
    }
    std::string_view text = run.CqMode() ? std::string_view(worked) : message;
    text = text.substr(0, text.find_last_not_of(' ') + 1);
    decodes.push_back({stamp, step, 1, std::string(text.substr(0, Night::MaxMarkText))});
}

void Scan::Heard(int stamp)
{
    if (heardStamp < 0 && cursor > 0)
        heardStamp = stamp;
}

void Scan::Log(std::string_view line)
{
    if (!run.LogOpen)
        return;
    logLines += line;
    logLines += "\r\n";
    if (logLines.size() > HeldLogBytes)
        WriteLog(written + logLines.size());
}

// True when the line goes on to the progression walk.
bool Scan::SearchCaller(std::string_view line, std::string_view message)
{
    if (firstFresh == NoOffset)
        firstFresh = reader.OffsetOf(line);
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
    if (!ownCallSeen || !run.choices.AutodetectCall())
        return false;
    // Whether this is the file's last line shows only when the file ends.
    lastCandidate = lines;
    candidateMessage.assign(message);
    candidateStamp = StampOf(line);
    candidateOffset = reader.OffsetOf(line);
    return false;
}

// The file's last line, when it was left for autodetection: autodetection,
// then the walk. False when reading the file again fails.
bool Scan::LastLine(FileHandle file)
{
    if (lastCandidate != lines)
        return true;
    std::string repeated;
    if (!Autodetect(file, repeated))
        return false;
    if (!repeated.empty())
        EnterCaller(repeated);
    // A station the walk would leave 0 for is worked only as a caller taken
    // up, so WSJT, the record and the status bar all name it.
    else if (Occurs(run.Progression[0], candidateMessage))
        EnterCaller(run.Progression[0]);
    const unsigned before = cursor;
    if (cursor <= 4)
        cursor = WalkProgression(cursor, candidateMessage, run.Progression);
    Heard(candidateStamp);
    Count(candidateOffset, candidateMessage, before, candidateStamp);
    return true;
}

// The first, in the locale's order, of the words that occur at least twice
// in the messages from the first fresh line to the last; empty for none.
// The range is read again rather than its words gathered on the first
// reading: only this rare case pays for it, and the search can read it as
// often as it must to stay within its budget, however far back the range
// begins. The file is still open, so no writer has changed it meanwhile.
bool Scan::Autodetect(FileHandle file, std::string& repeated)
{
    // Byte order among words the locale calls equal makes the order total.
    Platform& platform = run.platform;
    RepeatedWordSearch search([&platform](const std::string& a, const std::string& b) {
        const int order = platform.CompareNoCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    const auto addWords = [&](std::string_view line) {
        std::string_view rest = MessageOf(line);
        while (!rest.empty()) {
            const std::size_t blank = std::min(rest.find(' '), rest.size());
            const std::string_view word = rest.substr(0, blank);
            if (word.size() >= MinCallLength && word != ownCall)
                search.Add(word);
            rest.remove_prefix(std::min(blank + 1, rest.size()));
        }
    };
    do {
        if (!reader.Read(platform, file, firstFresh, addWords))
            return false;
    } while (search.EndPass());
    repeated = search.Found();
    return true;
}

// Takes up a caller: the walk goes on from 1 at once, WSJT is told when the
// scan is done.
void Scan::EnterCaller(const std::string& call)
{
    cursor = 1;
    worked = call;
    callers.push_back({written + logLines.size(), call});
}

// Logs the lines and enters the callers in the order the lines asked.
void Scan::Apply()
{
    for (const Caller& caller : callers) {
        WriteLog(caller.loggedBefore);
        run.caller = caller.call;
        run.Enter(pcToRadio, caller.call);
        run.Press(pcGenStd);
        run.Press(pcGenStd);
        run.TickCount = 0;
    }
    WriteLog(written + logLines.size());
}

// Writes the held lines up to `to` bytes logged in all (those written early
// are passed). Whole lines in each write, so a line is never split between
// two writers of the file. A line holds no CR or LF of its own.
void Scan::WriteLog(std::uint64_t to)
{
    if (to <= written)
        return;
    const std::size_t upTo = static_cast<std::size_t>(to - written);
    std::size_t from = 0;
    while (from < upTo) {
        std::size_t end = upTo;
        if (end - from > LogWriteBytes) {
            end = logLines.rfind("\r\n", from + LogWriteBytes - 2);
            end = end == std::string::npos || end < from ? logLines.find("\r\n", from) + 2 : end + 2;
        }
        run.platform.WriteFile(run.LogHandle, logLines.data() + from, end - from);
        from = end;
    }
    logLines.erase(0, upTo);
    written = to;
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
    const LocalTime stampClock = StampClockNow();
    const int scanSecond = SecondsOfDay(stampClock);
    // Read with WSJT's clock, so the two give the zone its stamps are in.
    const UtcTime utc = localStamps ? platform.UtcNow() : stampClock;
    DecodedLines.clear();

    const std::string name = choices.DecodedText();
    troubles &= ~(DecodedMissing | DecodedUnreadable);
    if (!platform.FileExists(name)) {
        troubles |= DecodedMissing;
        return;
    }
    Scan scan(*this, DecodedLines.reader);
    // Writers stay out from the first read to the last, and are let in
    // again however the reading ends, a throw included.
    struct Closes {
        Platform& platform;
        const FileHandle file;
        ~Closes()
        {
            if (file != NoFile)
                platform.CloseFile(file);
        }
    };
    bool read;
    {
        const Closes file{platform, platform.OpenForReading(name)};
        read = file.file != NoFile && scan.Read(file.file, scanSecond, DecodedLines.tail, DecodedLines.counted);
    }
    if (!read) {
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

    DecodedLines.lines = scan.lines;
    DecodedLines.counted = scan.fileSize;
    scan.Apply();
    for (const Scan::Decode& decode : scan.decodes) {
        const std::int64_t at = UtcSeconds(StampUtc(decode.stamp, stampClock, utc));
        for (std::int64_t n = 0; n < decode.count; ++n)
            skeds.PartnerHeard(at, decode.step, n ? std::string_view() : std::string_view(decode.text));
    }
    std::optional<UtcTime> heard;
    if (scan.heardStamp >= 0)
        heard = StampUtc(scan.heardStamp, stampClock, utc);
    SetState(static_cast<std::int32_t>(std::min(scan.cursor, 4u)), heard);
}
