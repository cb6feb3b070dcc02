// A whole scan over arbitrary file bytes, with an arbitrary clock, state,
// mode, callsigns and list. Properties: the log receives only whole lines
// of the input, each followed by CR LF and at most once per scan; the state
// never falls and never leaves -1..4; an idle scan touches nothing. And it
// reads only what can count: put any bytes and a stale line before the
// file, and the scan does the same, reading nothing more than one piece (of
// its backward reading) before the line end ahead of that stale line.
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

struct Outcome {
    int state;
    std::vector<std::string> journal;
    std::string log;
    std::uint64_t lowestRead;
};

// A scan of `before` and the bytes left after the settings, as `file`.
Outcome ScanOnce(Input in, const std::string& before, std::size_t tailPiece, std::string& file)
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
    run.DecodedLines.tail = FreshTail(tailPiece);

    const int hour = in.Byte() % 24, minute = in.Byte() % 60, second = in.Byte() % 60;
    w.SetTime(hour, minute, second);
    const int state = static_cast<int>(in.Byte() % 6) - 1;
    run.FState = state;
    w.SelectCQ(in.Byte() & 1);
    w.cbAutoCS.checked = in.Byte() & 1;
    w.eCS.text = in.Text(8);
    run.PartnerCall = run.Progression[0] = in.Text(8);
    run.LogTokens[0] = w.eCS.text.substr(0, 3);
    run.LogTokens[2] = run.PartnerCall.substr(0, 3);
    run.CallList.emplace();
    for (int n = in.Byte() % 4; n > 0; --n)
        run.CallList->push_back(in.Text(6));
    w.platform.pieceSize = 1 + in.Byte() % 64;
    const std::string log = "log";
    w.platform.files[log] = "";
    run.LogHandle = w.platform.OpenForAppend(log);
    run.LogOpen = in.Byte() & 1;

    file = before + std::string(reinterpret_cast<const char*>(in.data), in.size);
    w.platform.files[w.feDecoded.text] = file;
    run.ScanDecoded();

    const int after = run.FState;
    if (after < -1 || after > 4)
        std::abort();
    if (state == -1 && (after != -1 || w.platform.readCount != 0 || !desktop.journal.empty()))
        std::abort();
    if (state >= 0 && after < state && !(state == 0 && after == 0))
        std::abort();
    if (!run.LogOpen && !w.platform.files[log].empty())
        std::abort();
    return {after, desktop.journal, w.platform.files[log], w.platform.lowestRead};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto byte = [&](std::size_t i) { return i < size ? data[i] : 0; };
    const std::size_t tailPiece = 1 + byte(size - 1) % 128;
    std::string file, longer;
    const Outcome outcome = ScanOnce({data, size}, "", tailPiece, file);

    // Each logged line is a whole line of the input, logged at most as often
    // as it occurs there. A NUL ends the fresh lines, not the text.
    std::map<std::string, int> available;
    for (std::size_t from = 0, nul; from <= file.size(); from = nul + 1) {
        nul = std::min(file.find('\0', from), file.size());
        TextLines lines;
        lines.buffer = file.substr(from, nul - from);
        SplitLines(lines);
        for (std::string_view line : lines.lines)
            ++available[std::string(line)];
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

    const int scan = byte(0) % 24 * 3600 + byte(1) % 60 * 60 + byte(2) % 60;
    const int stale = (scan - FreshSeconds + SecondsPerDay) % SecondsPerDay;
    char line[32];
    std::snprintf(line, sizeof line, "\n%02d%02d%02d stale\n", stale / 3600, stale / 60 % 60, stale % 60);
    const std::string before = file.substr(0, tailPiece % 64);
    const Outcome prefixed = ScanOnce({data, size}, before + line, tailPiece, longer);
    const std::uint64_t staleStart = before.size() + 1, lowest = prefixed.lowestRead;
    if (prefixed.state != outcome.state || prefixed.journal != outcome.journal || prefixed.log != outcome.log ||
        (lowest < staleStart && staleStart - lowest > tailPiece))
        std::abort();
    return 0;
}
