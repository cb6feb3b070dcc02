// Whole decode scans over decoded files of WSJT's layout, from the page
// cache through real file reads, against two yardsticks on the same file:
// `wc -l` (run as a process) and a memchr count of '\n' over a chunked read
// of the file (what wc -l does, without the process start). The first scan
// after start is reported apart from the later ones; each scan's peak
// growth of the process and what stays resident after the scans are read
// from /proc. The bench names nothing of the scanner's inner types, so the
// same file measures an older scanner as well.
//
// Cases: a sked scan, a CQ scan with autodetection (own call on the last
// line), a sked scan of a file whose every line is fresh (the worst case),
// and a file of one 150 MB line without a line end (for its memory).
// TAVRIX_BENCH_KEEP=1 keeps the generated files in /tmp for the next run.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/posix_platform.h"
#include "engine/run.h"
#include "tests/support/model_window.h"
#include "ui/sfmMain.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const Messages[] = {
    "Q1ABC Q9XYZ Q1ABC", "CQ Q5EEE CQ Q5EEE", "QA3ABC Q9XYZ R27 R27",
    "3ABC CQ QA3ABC CQ QA3A", "E.5 /Y", "Q9XYZ QA3ABC 27 27", "RRRR RRRR QA3ABC",
    "73 QA3ABC", "Q7GGG Q2BBB", "Q2BBB Q7GGG 26 26",
};
constexpr int LinesPerPeriod = 8;
constexpr int PeriodsPerDay = 24 * 60 * 2;
constexpr int LastPeriod = 12 * 60 * 2;  // the file ends with the 12:00:00 period

enum class Kind { Days, AllFresh, LongLine };

std::string PathFor(long lines, Kind kind)
{
    const char* const suffix[] = {"", "_fresh", "_long"};
    return "/tmp/tavrix_bench_" + std::to_string(lines) + suffix[int(kind)] + ".cum";
}

// 79-character lines and CR LF: stamp, 26 columns of ping figures, message.
// Eight decodes per 30-second period, day after day, ending at 12:00:00, so
// the scan at 12:00:05 finds the last two periods fresh (in an older
// scanner, two periods of every day: about 0.07%). AllFresh stamps every
// line 120000; LongLine writes one line of `lines` bytes and no line end.
void Generate(const std::string& path, long lines, Kind kind)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    if (kind == Kind::LongLine) {
        const std::string piece = "120000" + std::string((1 << 20) - 6, 'x');
        for (long at = 0; at < lines; at += static_cast<long>(piece.size()))
            std::fwrite(piece.data(), 1, std::min<std::size_t>(piece.size(), lines - at), file);
        std::fclose(file);
        return;
    }
    const long periods = (lines + LinesPerPeriod - 1) / LinesPerPeriod;
    std::string chunk;
    char line[128];
    for (long i = 0; i < lines; ++i) {
        const long period = (LastPeriod - periods + 1 + i / LinesPerPeriod) % PeriodsPerDay;
        const long seconds = kind == Kind::AllFresh ? 12 * 3600 : ((period + PeriodsPerDay) % PeriodsPerDay) * 30;
        std::snprintf(line, sizeof line, "%02ld%02ld%02ld %4.1f %4ld %2ld 26  -%02ld     %-47s\r\n",
                      seconds / 3600, seconds / 60 % 60, seconds % 60, (i % 290) / 10.0,
                      20 + i % 900, i % 12, 20 + i % 17, Messages[i % std::size(Messages)]);
        chunk += line;
        if (chunk.size() > (1 << 20)) {
            std::fwrite(chunk.data(), 1, chunk.size(), file);
            chunk.clear();
        }
    }
    std::fwrite(chunk.data(), 1, chunk.size(), file);
    std::fclose(file);
}

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// Best of three runs of `wc -l < path` through the shell.
double TimeWc(const std::string& path)
{
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        std::FILE* pipe = popen(("wc -l < " + path).c_str(), "r");
        char out[64];
        while (pipe && std::fgets(out, sizeof out, pipe)) {}
        if (pipe)
            pclose(pipe);
        best = std::min(best, Seconds(start));
    }
    return best;
}

// Best of three memchr counts of '\n' over 256 KiB reads, as wc -l does.
double TimeMemchrCount(const std::string& path)
{
    static char chunk[256 * 1024];
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        std::FILE* file = std::fopen(path.c_str(), "rb");
        long count = 0;
        std::size_t n;
        while (file && (n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            for (const char* p = chunk; (p = static_cast<const char*>(std::memchr(p, '\n', chunk + n - p))); ++p)
                ++count;
        if (file)
            std::fclose(file);
        benchmark::DoNotOptimize(count);
        best = std::min(best, Seconds(start));
    }
    return best;
}

// VmRSS or VmHWM (the peak since the last ResetPeak) from /proc, in bytes.
long StatusBytes(const char* key)
{
    std::FILE* file = std::fopen("/proc/self/status", "r");
    char line[256];
    long kib = 0;
    while (file && std::fgets(line, sizeof line, file)) {
        if (std::strncmp(line, key, std::strlen(key)) == 0)
            kib = std::atol(line + std::strlen(key) + 1);
    }
    if (file)
        std::fclose(file);
    return kib * 1024;
}

// Puts the peak back to the present size, so that each scan's own peak can
// be read.
void ResetPeak()
{
    if (std::FILE* file = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", file);
        std::fclose(file);
    }
}

// One scan, timed, and how far the process grew beyond its size before it.
struct ScanFigures {
    double seconds;
    long peakGrowth;
};

ScanFigures TimedScan(Run& run, int fromState)
{
    run.FState = fromState;
    run.caller.clear();
    ResetPeak();
    const long before = StatusBytes("VmRSS");
    const auto start = Clock::now();
    run.ScanDecoded();
    const double seconds = Seconds(start);
    return {seconds, StatusBytes("VmHWM") - before};
}

// Scans of one kind of file, sked or CQ with autodetection. A CQ scan takes
// up Q1ABC, the first repeated callsign of the fresh lines, and steps to 1.
void Scans(benchmark::State& state, Kind kind, bool cq)
{
    const long lines = state.range(0);
    const std::string path = PathFor(lines, kind), logPath = "/tmp/tavrix_bench_log.txt";
    if (!std::getenv("TAVRIX_BENCH_KEEP") || !PosixPlatform().FileExists(path))
        Generate(path, lines, kind);
    const double fileBytes = static_cast<double>(lines) * (kind == Kind::LongLine ? 1 : 81);

    PosixPlatform platform;
    platform.now.hour = 12;
    platform.now.second = 5;
    platform.CreateEmptyFile(logPath);
    NoWindows windows;
    ModelCheck rbSKED, rbCQ, cbAutoCS;
    ModelEdit eTRCS, feDecoded, eCS;
    TfmTavrix form(platform, windows);
    Run& run = form.run;
    form.rbSKED = &rbSKED;
    form.rbCQ = &rbCQ;
    form.cbAutoCS = &cbAutoCS;
    form.eTRCS = &eTRCS;
    form.feDecoded = &feDecoded;
    form.eCS = &eCS;
    rbSKED.checked = !cq;
    rbCQ.checked = cbAutoCS.checked = cq;
    feDecoded.text = path;
    eCS.text = cq ? "Q7GGG" : "QA3ABC";  // the file's last line holds Q7GGG
    eTRCS.text = run.PartnerCall = "Q9XYZ";
    run.LogTokens = {"QA3", "ABC", "Q9X", "XYZ", " 27", "R27", "RRR", "73"};
    run.Progression = {"Q9XYZ", "27", "R27", "RRR", "73"};
    run.LogHandle = platform.OpenForAppend(logPath);
    run.LogOpen = true;
    const int fromState = cq ? 0 : 1;

    // A first scan after start takes whatever buffers the scan keeps; later
    // ones find them there, as every scan after the first does in the
    // program. First scans are measured apart, a few times over, each with
    // DecodedLines made anew as at start: one sample alone is at the mercy
    // of whatever else the machine does.
    constexpr int Starts = 3;
    const long rssBefore = StatusBytes("VmRSS");
    std::vector<double> firsts;
    long peakGrowth = 0;
    for (int start = 0; start < Starts; ++start) {
        std::destroy_at(&run.DecodedLines);  // made anew, as the program starts with it
        std::construct_at(&run.DecodedLines);
        const ScanFigures first = TimedScan(run, fromState);
        firsts.push_back(first.seconds);
        peakGrowth = std::max(peakGrowth, first.peakGrowth);
    }
    std::vector<double> later;
    for (auto _ : state) {
        const ScanFigures scan = TimedScan(run, fromState);
        later.push_back(scan.seconds);
        peakGrowth = std::max(peakGrowth, scan.peakGrowth);
    }
    const double held = static_cast<double>(StatusBytes("VmRSS") - rssBefore);
    const bool expected = kind == Kind::LongLine ? platform.messages == 0
                          : cq                   ? run.caller == "Q1ABC" && run.FState == 1
                                                 : run.FState == 4;
    if (!expected)
        state.SkipWithError("scan went wrong");
    std::sort(later.begin(), later.end());
    std::sort(firsts.begin(), firsts.end());
    const double best = later.front(), median = later[later.size() / 2];
    const double first = firsts[firsts.size() / 2], firstWorst = firsts.back();
    const double wc = TimeWc(path);

    constexpr double MiB = 1 << 20;
    state.SetBytesProcessed(static_cast<std::int64_t>(fileBytes) * state.iterations());
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["first_ms"] = first * 1e3;
    state.counters["first_worst_ms"] = firstWorst * 1e3;
    state.counters["best_ms"] = best * 1e3;
    state.counters["median_ms"] = median * 1e3;
    state.counters["wc_l_ms"] = wc * 1e3;
    state.counters["first_vs_wc_l"] = first / wc;
    state.counters["first_worst_vs_wc_l"] = firstWorst / wc;
    state.counters["best_vs_wc_l"] = best / wc;
    state.counters["median_vs_wc_l"] = median / wc;
    state.counters["vs_memchr_count"] = best / TimeMemchrCount(path);
    state.counters["peak_growth_MiB"] = static_cast<double>(peakGrowth) / MiB;
    state.counters["held_MiB"] = held / MiB;

    platform.CloseFile(run.LogHandle);
    run.LogOpen = false;
    if (!std::getenv("TAVRIX_BENCH_KEEP")) platform.DeleteFile(path);
    platform.DeleteFile(logPath);
}

void BM_Scan(benchmark::State& state) { Scans(state, Kind::Days, false); }
void BM_CqScan(benchmark::State& state) { Scans(state, Kind::Days, true); }
void BM_AllFresh(benchmark::State& state) { Scans(state, Kind::AllFresh, false); }
void BM_LongLine(benchmark::State& state) { Scans(state, Kind::LongLine, false); }

}  // namespace

BENCHMARK(BM_Scan)->Arg(10'000)->Iterations(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan)->Arg(1'000'000)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scan)->Arg(1'234'568)->Iterations(10)->Unit(benchmark::kMillisecond);  // 100 MB
BENCHMARK(BM_Scan)->Arg(10'000'000)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CqScan)->Arg(10'000)->Iterations(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CqScan)->Arg(10'000'000)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllFresh)->Arg(10'000'000)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongLine)->Arg(150'000'000)->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
