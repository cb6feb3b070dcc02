// The night's page for the biggest night the bounds allow for: 5000 entries
// and 100 000 decodes of their partners. The counter "bytes" is the page's
// size.
#include <benchmark/benchmark.h>

#include "engine/night_page.h"

namespace {

Night BigNight()
{
    Night night(5000);
    SkedEntry sked;
    sked.station = "Q7PQR";
    sked.period = TxPeriod::Second;
    const std::int64_t first = 1797199200;  // 2026-12-13 22:00 UTC
    for (int i = 0; i < 5000; ++i) {
        const std::int64_t start = first + i * 600;
        night.EntryStarted(i, sked, start, start + 540);
        for (int n = 0; n < 20; ++n)
            night.PartnerHeard(start + n * 27, n / 5, "Q1ABC Q7PQR R27");
        if (i % 3 == 0)
            night.ContactCompleted(start + 530, "Q7PQR");
        if (i % 7 == 0) {
            night.WsjtMissing(start + 100);
            night.WsjtFound(start + 200);
        }
        night.EntryEnded(start + 540);
    }
    night.RunEnded(first + 5000 * 600);
    return night;
}

void NightPageOf5000Entries(benchmark::State& state)
{
    const Night night = BigNight();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string page = NightPage(night);
        bytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(NightPageOf5000Entries)->Unit(benchmark::kMillisecond);

void NightRecordOf100000Decodes(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(BigNight().Entries().data());
}
BENCHMARK(NightRecordOf100000Decodes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
