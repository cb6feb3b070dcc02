#include "engine/fresh_tail.h"

#include <algorithm>
#include <bit>
#include <string_view>

#include "engine/line_reader.h"
#include "engine/scan_rules.h"

namespace {

// Bytes read past a piece's end: a CR's LF and the stamp of the line that
// begins right after the piece.
constexpr std::size_t Overlap = 8;

// Calls at(i) for each byte below 14 of data[0, size), last first, until it
// returns false; false then.
template <class At>
bool EachLowByteBackwards(const char* data, std::size_t size, At&& at)
{
#if defined(__SSE2__)
    for (; size >= 64; size -= 64) {
        for (std::uint64_t low = LowBytes64(data + size - 64); low;) {
            const int bit = 63 - std::countl_zero(low);
            if (!at(size - 64 + bit))
                return false;
            low &= ~(std::uint64_t(1) << bit);
        }
    }
#endif
    while (size > 0) {
        --size;
        if (static_cast<unsigned char>(data[size]) < 14 && !at(size))
            return false;
    }
    return true;
}

}  // namespace

bool FreshTail::ReadAt(Platform& platform, FileHandle file, std::uint64_t offset, std::size_t bytes)
{
    for (std::size_t filled = 0; filled < bytes;) {
        std::size_t got = 0;
        if (!platform.ReadFileAt(file, offset + filled, buffer_.get() + filled, bytes - filled, got) || got == 0)
            return false;
        filled += got;
    }
    return true;
}

bool FreshTail::Find(Platform& platform, FileHandle file, std::uint64_t size, int scanSecond,
                     std::uint64_t& begin)
{
    if (!buffer_)
        buffer_ = std::make_unique<char[]>(piece_ + Overlap);
    std::uint64_t lineEnd = size;  // where the line whose start is looked for ends
    std::uint64_t fresh = size;    // where the oldest line passed over so far begins
    std::uint64_t low = size;      // the file offset of buffer_[0]
    // True when the line beginning at `start` ends the fresh lines.
    const auto ends = [&](std::uint64_t start) {
        if (lineEnd - start > LongestDecodeLine)
            return false;
        const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(lineEnd - start, 6));
        const int stamp = StampOf(std::string_view(buffer_.get() + (start - low), length));
        return stamp >= 0 && !IsFreshSecond(stamp, scanSecond);
    };
    for (std::uint64_t high = size; high > 0;) {
        low = high > piece_ ? high - piece_ : 0;
        const std::size_t piece = static_cast<std::size_t>(high - low);
        if (!ReadAt(platform, file, low, piece + static_cast<std::size_t>(std::min<std::uint64_t>(Overlap, size - high))))
            return false;
        const char* const bytes = buffer_.get();
        const bool passed = EachLowByteBackwards(bytes, piece, [&](std::size_t i) {
            const char c = bytes[i];
            if (c == '\0')
                return false;
            if (c != '\r' && c != '\n')
                return true;
            const std::uint64_t start = low + i + 1;
            // Between a CR and its LF no line begins.
            if (c == '\n' || start == size || bytes[i + 1] != '\n') {
                if (ends(start))
                    return false;
                fresh = start;
            }
            lineEnd = low + i;
            return true;
        });
        if (!passed) {
            begin = fresh;
            return true;
        }
        high = low;
    }
    begin = size > 0 && ends(0) ? fresh : 0;
    return true;
}
