// The schedule file: any bytes are read without a crash, a file that reads
// gives lines that write back to a text reading as the same lines.
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

    // START's checks take any entries that were read.
    CheckSchedule(lines, 1798761600, problem);
    return 0;
}
