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

void LineSplitter::Feed(std::size_t filled)
{
    if (ended_ || filled <= scanned_)
        return;
    const char* data = text_.buffer.data();
    const char* from = data + scanned_;
    const char* limit = Find(from, data + filled, '\0');
    ended_ = limit != data + filled;
    if (afterCr_ && from < limit) {
        afterCr_ = false;
        if (*from == '\n')
            start_ = ++from - data;
    }
    // The next CR and the next LF are each searched for again only once
    // they have been passed, so a file without CRs (or LFs) isn't searched
    // to its end at every line.
    const char* cr = Find(from, limit, '\r');
    const char* lf = Find(from, limit, '\n');
    for (;;) {
        if (cr < from)
            cr = Find(from, limit, '\r');
        if (lf < from)
            lf = Find(from, limit, '\n');
        const char* stop = std::min(cr, lf);
        if (stop == limit)
            break;
        text_.lines.emplace_back(data + start_, static_cast<std::size_t>(stop - data) - start_);
        from = stop + 1;
        if (*stop == '\r') {
            if (from == limit)
                afterCr_ = true;
            else if (*from == '\n')
                ++from;
        }
        start_ = static_cast<std::size_t>(from - data);
    }
    scanned_ = static_cast<std::size_t>(limit - data);
}

void LineSplitter::Finish()
{
    if (start_ < scanned_)
        text_.lines.emplace_back(text_.buffer.data() + start_, scanned_ - start_);
    start_ = scanned_;
}

void SplitLines(TextLines& text)
{
    LineSplitter splitter(text);
    splitter.Feed(text.buffer.size());
    splitter.Finish();
}

// Decoded lines are 79 characters and a line end; room for lines of 64 bytes
// means a big file fills the vector without regrowing it (which would hold
// the old and the new array at once).
constexpr std::size_t UsualLineBytes = 64;

static void MakeRoom(std::vector<std::string_view>& lines, std::size_t bytes)
{
    const std::size_t wanted = bytes / UsualLineBytes;
    if (lines.capacity() >= wanted)
        return;
    std::vector<std::string_view>().swap(lines);  // the old array goes first
    lines.reserve(wanted);
}

bool ReadTextLines(Platform& platform, const std::string& name, TextLines& text,
                   const LinesReady& ready)
{
    LineSplitter splitter(text);
    const char* data = nullptr;
    bool moved = false;
    const bool read = platform.ReadFileInPieces(name, text.buffer, [&](std::size_t filled) {
        if (!data) {
            data = text.buffer.data();
            MakeRoom(text.lines, text.buffer.size());
        }
        // The views point into the buffer: one that moved invalidates them.
        moved = moved || text.buffer.data() != data;
        if (moved)
            return;
        const std::size_t from = text.size();
        splitter.Feed(filled);
        if (ready && text.size() > from)
            ready(from, text.size());
    });
    if (!read) {
        text.lines.clear();
        return false;
    }
    if (moved) {
        SplitLines(text);
        if (ready)
            ready(0, text.size());
        return true;
    }
    const std::size_t from = text.size();
    splitter.Finish();
    if (ready && text.size() > from)
        ready(from, text.size());
    return true;
}
