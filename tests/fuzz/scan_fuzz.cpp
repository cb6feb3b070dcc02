// A whole scan over arbitrary file bytes, with an arbitrary clock, state,
// mode, callsigns and list. Properties: the log receives only whole lines
// of the input, each followed by CR LF and at most once per scan; the state
// never falls and never leaves -1..4; an idle scan touches nothing. And a
// scan reads only what can count: put any bytes and then a stale line
// before the file, and the scan does exactly the same, reading nothing more
// than one piece (of its backward reading) before that stale line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "engine/run.h"
#include "engine/scan_rules.h"
#include "tests/support/model_window.h"
#include "tests/support/sim_window_system.h"

namespace {

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t Byte() { if (!size) return 0; --size; return *data++; }
    std::string Text(std::size_t max)
    {
        std::string s;
        for (std::size_t n = Byte() % (max + 1); n && size; --n)
            s += static_cast<char>(Byte());
        return s;
    }
};

// What the input sets besides the file.
struct Settings {
    int hour, minute, second, state;
    bool cq, autodetect, logOpen;
    std::string ownCall, partner;
    std::vector<std::string> list;
    std::size_t pieceSize, tailPiece;

    explicit Settings(Input& in)
    {
        hour = in.Byte() % 24;
        minute = in.Byte() % 60;
        second = in.Byte() % 60;
        state = static_cast<int>(in.Byte() % 6) - 1;
        cq = in.Byte() & 1;
        autodetect = in.Byte() & 1;
        ownCall = in.Text(8);
        partner = in.Text(8);
        for (int n = in.Byte() % 4; n > 0; --n)
            list.push_back(in.Text(6));
        pieceSize = 1 + in.Byte() % 64;
        tailPiece = 1 + in.Byte() % 128;
        logOpen = in.Byte() & 1;
    }
};

struct Outcome {
    int state;
    std::vector<std::string> journal;
    std::string log;
    std::uint64_t lowestRead;
};

Outcome ScanOnce(const Settings& s, const std::string& file)
{
    ModelWindow w;
    SimWindowSystem desktop;
    const auto wsjt = desktop.AddWsjt();
    w.form.FormCreate();
    ::Run& run = w.form.run;
    run.PeerControls[pcToRadio] = wsjt.toRadio;
    run.PeerControls[pcGenStd] = wsjt.genStd;
    for (int i = 2; i <= 6; ++i)
        run.PeerControls[pcTx2 + i - 2] = wsjt.tx[i];
    run.DecodedLines.tail = FreshTail(s.tailPiece);

    w.platform.now.hour = s.hour;
    w.platform.now.minute = s.minute;
    w.platform.now.second = s.second;
    w.platform.utcNow = w.platform.now;
    run.FState = s.state;
    w.SelectCQ(s.cq);
    w.cbAutoCS.checked = s.autodetect;
    w.eCS.text = s.ownCall;
    run.PartnerCall = run.Progression[0] = s.partner;
    run.LogTokens[0] = s.ownCall.substr(0, 3);
    run.LogTokens[2] = s.partner.substr(0, 3);
    run.CallList = s.list;
    w.platform.pieceSize = s.pieceSize;
    const std::string log = "log";
    w.platform.files[log] = "";
    run.LogHandle = w.platform.OpenForAppend(log);
    run.LogOpen = s.logOpen;

    w.platform.files[w.feDecoded.text] = file;
    run.ScanDecoded();

    const int after = run.FState;
    if (after < -1 || after > 4)
        std::abort();
    if (s.state == -1 && (after != -1 || w.platform.readCount != 0 || !desktop.journal.empty()))
        std::abort();
    if (s.state >= 0 && after < s.state && !(s.state == 0 && after == 0))
        std::abort();
    if (!run.LogOpen && !w.platform.files[log].empty())
        std::abort();
    return {after, desktop.journal, w.platform.files[log], w.platform.lowestRead};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in{data, size};
    const Settings settings(in);
    const std::string before = in.Text(64);
    const std::string file(reinterpret_cast<const char*>(in.data), in.size);
    const Outcome outcome = ScanOnce(settings, file);

    // Each logged line is a whole line of the input, logged at most as often
    // as it occurs there. A NUL ends the fresh lines, not the text: the
    // lines between NULs count.
    std::map<std::string, int> available;
    for (std::size_t from = 0; from <= file.size();) {
        const std::size_t nul = std::min(file.find('\0', from), file.size());
        TextLines lines;
        lines.buffer = file.substr(from, nul - from);
        SplitLines(lines);
        for (std::string_view line : lines.lines)
            ++available[std::string(line)];
        from = nul + 1;
    }
    const std::string& written = outcome.log;
    for (std::size_t at = 0; at < written.size();) {
        const std::size_t eol = written.find("\r\n", at);
        if (eol == std::string::npos)
            std::abort();
        const std::string line(written.data() + at, eol - at);
        if (--available[line] < 0)
            std::abort();
        at = eol + 2;
    }

    // Whatever lies before a stale line changes nothing and is not read.
    const int scan = settings.hour * 3600 + settings.minute * 60 + settings.second;
    const int stale = (scan - FreshSeconds + SecondsPerDay) % SecondsPerDay;
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%02d%02d%02d", stale / 3600, stale / 60 % 60, stale % 60);
    const std::uint64_t staleLine = before.size() + 1;
    const Outcome prefixed = ScanOnce(settings, before + "\n" + stamp + " stale\n" + file);
    if (prefixed.state != outcome.state || prefixed.journal != outcome.journal || prefixed.log != outcome.log)
        std::abort();
    // The stale line's start shows only at the line end before it.
    if (settings.state >= 0 && prefixed.lowestRead + settings.tailPiece < staleLine)
        std::abort();
    return 0;
}
