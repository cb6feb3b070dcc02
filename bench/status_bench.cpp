// The cost of the status bar's text on each tick: an idle tick, and a tick
// in a contact whose countdowns change the text every second. The counter
// "allocs" is the number of heap allocations per tick; it must be 0.
// The counting operator new below hands out malloc's blocks, which GCC,
// seeing both ends inlined, takes for a mismatch.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>
#include <string>

#include "engine/status.h"

namespace {
std::size_t allocations = 0;
}  // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

// Computes the text as the tick does and compares it with the one the bar
// shows, which is all an unchanged text costs the window.
void Ticks(benchmark::State& state, const StatusFacts& facts, bool secondsGoOn)
{
    LocalTime now;
    now.hour = 12;
    std::string text, shown;
    shown.reserve(128);
    StatusText(facts, now, text);
    shown = text;
    const std::size_t before = allocations;
    for (auto _ : state) {
        if (secondsGoOn)
            now.second = (now.second + 1) % 60;
        StatusText(facts, now, text);
        if (text != shown)
            shown.assign(text);
        benchmark::DoNotOptimize(shown.data());
    }
    state.counters["allocs"] = benchmark::Counter(double(allocations - before), benchmark::Counter::kAvgIterations);
}

void BM_StatusIdleTick(benchmark::State& state)
{
    Ticks(state, StatusFacts{}, true);
}

void BM_StatusContactTick(benchmark::State& state)
{
    StatusFacts facts;
    facts.armed = true;
    facts.state = 2;
    facts.calledSinceStart = true;
    facts.partner = "Q9XYZ";
    facts.tickCount = 29;
    facts.tickLimit = 1800;
    facts.contacts = 12;
    facts.lastPartner = "Q7PQR";
    Ticks(state, facts, true);
}

// A sked of a schedule: the contact's text, the entry and its end in UTC.
void BM_StatusSkedTick(benchmark::State& state)
{
    StatusFacts facts;
    facts.armed = true;
    facts.state = 3;
    facts.partner = facts.skedStation = "Q9XYZ/P";
    facts.tickLimit = 1800;
    facts.contacts = 3;
    facts.sked = StatusFacts::Sked::Working;
    facts.skedNumber = 2;
    facts.skedCount = 6;
    facts.skedTime.hour = 23;
    Ticks(state, facts, true);
}

}  // namespace

BENCHMARK(BM_StatusIdleTick);
BENCHMARK(BM_StatusSkedTick);
BENCHMARK(BM_StatusContactTick);
BENCHMARK_MAIN();
