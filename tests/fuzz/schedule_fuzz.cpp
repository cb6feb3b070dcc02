// The schedule file: any bytes are read without a crash, a file that reads
// gives lines that write back to a text reading as the same lines, and
// START's checks and the run's decisions hold on whatever entries it has.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/schedule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<SkedLine> lines;
    ScheduleProblem problem;
    if (!ParseSchedule(bytes, lines, problem)) {
        if (problem.what.empty() || problem.line < 0 || problem.what.size() > 400)
            std::abort();
        return 0;
    }
    const std::string text = FormatSchedule(lines);
    std::vector<SkedLine> again;
    if (!ParseSchedule(text, again, problem) || again.size() != lines.size() ||
        EntriesOf(again) != EntriesOf(lines) || FormatSchedule(again) != text)
        std::abort();

    // Every second of a day either side of the first entry's date is
    // decided; a run that starts what it is told is never told to start
    // what it already works.
    const std::vector<SkedEntry> entries = EntriesOf(lines);
    if (entries.empty() || entries.size() > 8)
        return 0;
    std::int64_t now = 1798761600;  // 2027-01-01
    if (!entries[0].EveryDay()) {
        UtcTime t;
        t.year = entries[0].year, t.month = entries[0].month, t.day = entries[0].day;
        now = UtcSeconds(t) - 86400;
    }
    CheckSchedule(lines, now, problem);
    SkedRunning running;
    for (std::int64_t s = now; s < now + 3 * 86400; s += 60) {
        const SkedAction action = NextSkedAction(entries, s, running);
        if (action.kind == SkedAction::Start && running.entry >= 0)
            std::abort();
        if (action.kind == SkedAction::Start || action.kind == SkedAction::EndAndStart) {
            const SkedPosition at = WhereInSchedule(entries, s);
            running = {action.start, at.start, s, false};
        } else if (action.kind == SkedAction::End || action.kind == SkedAction::Done) {
            running = {};
        }
        for (std::size_t i = 0; i < entries.size(); ++i)
            EntryTime(entries, i, s);
    }
    return 0;
}
