// The cost of the run clock's tick: a tick that does nothing (most of them)
// and a tick that scans a 100 000-line decoded file from the page cache.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/posix_platform.h"
#include "engine/run.h"
#include "tests/support/model_window.h"

namespace {

// A running sked run on the bench's real-file platform, in state 2 with a
// time limit that never falls due.
struct Running {
    PosixPlatform platform;
    NoWindows windows;
    ModelWindow model;  // its controls; the form below uses the real files
    TfmTavrix form{platform, windows};

    explicit Running(const std::string& decoded)
    {
        model.WireInto(form);
        form.FormCreate();
        model.feDecoded.text = decoded;
        model.bRun.caption = "STOP";
        form.run.Progression[0] = form.run.PartnerCall = "Q9XYZ";
        form.run.FState = 2;
        form.run.TickLimit = 1 << 30;
        platform.now.hour = 12;
    }
};

void WriteDecoded(const std::string& path, int lines)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    for (int i = 0; i < lines; ++i)
        std::fprintf(file, "%02d%02d00  1.2  120  4 26  -33     %-47s\r\n", i / 60 % 24, i % 60,
                     i % 7 ? "Q5EEE Q7GGG" : "Q1ABC Q9XYZ R27 R27");
    std::fclose(file);
}

// A tick in a second with nothing to do (10 to 30, never a scan), and the
// status bar's text it leads to, which the countdown changes every second.
// The jump back from 30 to 10 is taken as a clock set back: nothing is
// replayed.
void BM_IdleTick(benchmark::State& state)
{
    Running run("/tmp/tavrix_bench_none.cum");
    int second = 0;
    for (auto _ : state) {
        run.platform.now.second = 10 + second++ % 21;
        run.form.OnTimer();
        benchmark::DoNotOptimize(run.form.StatusLine().data());
    }
}

void BM_ScanTick(benchmark::State& state)
{
    const std::string path = "/tmp/tavrix_bench_tick.cum";
    WriteDecoded(path, 100'000);
    Running run(path);
    run.platform.now.second = 5;
    for (auto _ : state)
        run.form.OnTimer();
    state.SetBytesProcessed(state.iterations() * 100'000 * 81);
    std::remove(path.c_str());
}

}  // namespace

BENCHMARK(BM_IdleTick);
BENCHMARK(BM_ScanTick)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
