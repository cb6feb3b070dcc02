// A whole scan over arbitrary file bytes, with an arbitrary clock, state,
// mode, callsigns and list. Properties: the log receives only whole lines
// of the input, each followed by CR LF and at most once per scan; the state
// never falls and never leaves -1..4; an idle scan touches nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "engine/run.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in{data, size};
    ModelWindow w;
    SimWindowSystem desktop;
    const auto wsjt = desktop.AddWsjt();
    w.form.FormCreate();
    ::Run& run = w.form.run;
    run.PeerControls[pcToRadio] = wsjt.toRadio;
    run.PeerControls[pcGenStd] = wsjt.genStd;
    for (int i = 2; i <= 6; ++i)
        run.PeerControls[pcTx2 + i - 2] = wsjt.tx[i];

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

    const std::string file(reinterpret_cast<const char*>(in.data), in.size);
    w.platform.files[w.feDecoded.text] = file;
    run.ScanDecoded();

    const int after = run.FState;
    if (after < -1 || after > 4)
        std::abort();
    if (state == -1 && (after != -1 || w.platform.readCount != 0 || !desktop.journal.empty()))
        std::abort();
    if (state >= 0 && after < state && !(state == 0 && after == 0))
        std::abort();

    // Each logged line is a whole line of the input, logged at most as often
    // as it occurs there.
    TextLines lines;
    lines.buffer = file;
    SplitLines(lines);
    std::map<std::string_view, int> available;
    for (std::string_view line : lines.lines)
        ++available[line];
    const std::string& written = w.platform.files[log];
    if (!run.LogOpen && !written.empty())
        std::abort();
    for (std::size_t at = 0; at < written.size();) {
        const std::size_t eol = written.find("\r\n", at);
        if (eol == std::string::npos)
            std::abort();
        const std::string_view line(written.data() + at, eol - at);
        if (--available[line] < 0)
            std::abort();
        at = eol + 2;
    }
    return 0;
}
