#include "engine/text_lines.h"

#include <algorithm>
#include <cstring>

#include "engine/platform.h"

// The first `c` in [from, end), or end.
static const char* Find(const char* from, const char* end, char c)
{
    const void* hit = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return hit ? static_cast<const char*>(hit) : end;
}

// Decoded lines are 79 characters and a line end; room for lines of 64 bytes
// means a big file fills the vector without regrowing it (which would hold
// the old and the new array at once).
constexpr std::size_t UsualLineBytes = 64;

void SplitLines(TextLines& text)
{
    text.lines.clear();
    const char* data = text.buffer.data();
    const char* end = Find(data, data + text.buffer.size(), '\0');
    text.lines.reserve(static_cast<std::size_t>(end - data) / UsualLineBytes);

    // The next CR and the next LF are each searched for only once they have
    // been passed, so a file without CRs (or LFs) isn't searched again and
    // again to its end.
    const char* cr = Find(data, end, '\r');
    const char* lf = Find(data, end, '\n');
    const char* start = data;
    while (start < end) {
        if (cr < start)
            cr = Find(start, end, '\r');
        if (lf < start)
            lf = Find(start, end, '\n');
        const char* stop = std::min(cr, lf);
        text.lines.emplace_back(start, static_cast<std::size_t>(stop - start));
        if (stop == end)
            break;
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n')
            ++start;
    }
}

bool ReadTextLines(Platform& platform, const std::string& name, TextLines& text)
{
    text.lines.clear();
    if (!platform.ReadWholeFile(name, text.buffer)) {
        text.buffer.clear();
        return false;
    }
    SplitLines(text);
    return true;
}
