#include "engine/text_lines.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "ports/platform.h"

// The first CR, LF or NUL in [p, end), or end. One pass eight bytes at a
// time: a word with no byte below 14 holds none of them, and nearly every
// word of a text file is such a word.
static const char* FindLineEnd(const char* p, const char* end)
{
    constexpr std::uint64_t ones = 0x0101010101010101, highs = 0x8080808080808080;
    // Flags every byte below 14 (and at worst a 14 right above one).
    const auto lowBytes = [](const char* at) {
        std::uint64_t word;
        std::memcpy(&word, at, 8);
        return (word - ones * 14) & ~word & highs;
    };
    if constexpr (std::endian::native == std::endian::little) {
        for (; end - p >= 16; p += 16) {
            const std::uint64_t first = lowBytes(p), second = lowBytes(p + 8);
            if (!(first | second))
                continue;
            for (int half = 0; half < 2; ++half) {
                for (std::uint64_t low = half ? second : first; low; low &= low - 1) {
                    const char* hit = p + half * 8 + std::countr_zero(low) / 8;
                    if (*hit == '\n' || *hit == '\r' || *hit == '\0')
                        return hit;
                }
            }
        }
    }
    for (; p < end; ++p) {
        if (*p == '\n' || *p == '\r' || *p == '\0')
            return p;
    }
    return end;
}

void LineSplitter::Feed(std::size_t filled)
{
    if (ended_ || filled <= scanned_)
        return;
    const char* data = text_.buffer.data();
    const char* from = data + scanned_;
    const char* const end = data + filled;
    if (afterCr_) {
        afterCr_ = false;
        if (*from == '\n')
            start_ = static_cast<std::size_t>(++from - data);
    }
    for (;;) {
        const char* stop = FindLineEnd(from, end);
        if (stop == end)
            break;
        if (*stop == '\0') {
            ended_ = true;
            from = stop;
            break;
        }
        text_.lines.emplace_back(data + start_, static_cast<std::size_t>(stop - data) - start_);
        from = stop + 1;
        if (*stop == '\r') {
            if (from == end)
                afterCr_ = true;
            else if (*from == '\n')
                ++from;
        }
        start_ = static_cast<std::size_t>(from - data);
    }
    scanned_ = static_cast<std::size_t>((ended_ ? from : end) - data);
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
